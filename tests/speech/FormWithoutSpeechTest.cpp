// The window of the program without speech: a click in Memo1 only places the caret.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "FormTabChain.h"
#include "app/DesktopClipboard.h"
#include "app/TForm1.h"
#include "tests/support/TestDictionary.h"

using namespace quorvantix;
using quorvantix::testing::DesignedTabChain;
using quorvantix::testing::FormTabChain;
using quorvantix::testing::TempDir;

class FormWithoutSpeechTest : public QObject {
    Q_OBJECT

  private slots:
    void click_keeps_focus_in_the_answer_and_tab_skips_nothing() {
        const TempDir dir;
        FormServices services;
        services.program_folder = dir.path().string() + "/";
        services.clipboard = std::make_unique<DesktopClipboard>();
        services.report = [](const std::string&) {};
        TForm1 form(std::move(services));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Memo1->setPlainText(QStringLiteral("Hello world"));

        QTest::mouseClick(form.Memo1->viewport(), Qt::LeftButton, {}, QPoint(3, 5));
        QCOMPARE(form.focusWidget(), form.Memo1);

        QCOMPARE(FormTabChain(form), DesignedTabChain(form));
    }
};

QTEST_MAIN(FormWithoutSpeechTest)
#include "FormWithoutSpeechTest.moc"
