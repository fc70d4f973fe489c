// The window offscreen, with the in-process clipboard and small dictionaries.
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/DesktopClipboard.h"
#include "app/TForm1.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestDictionary.h"

using namespace quorvantix;
using quorvantix::testing::FileSizeLimit;
using quorvantix::testing::ReadBytes;
using quorvantix::testing::Row;
using quorvantix::testing::TempDir;
using quorvantix::testing::WriteBytes;
using quorvantix::testing::WriteDictionary;

namespace {

const QString kBefore = QStringLiteral("before");

void Copy(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString Caption(const TForm1& form) {
    return form.windowTitle();
}
QString Answer(const TForm1& form) {
    return form.Memo1->toPlainText();
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    std::vector<std::string> reports_;

    std::string Folder() const { return dir_->path().string() + "/"; }
    std::string PlacementFile() const { return dir_->File("Quorvantix.txt"); }

    std::unique_ptr<TForm1> MakeForm() {
        FormServices services;
        services.program_folder = Folder();
        services.clipboard = std::make_unique<DesktopClipboard>();
        services.report = [this](const std::string& message) { reports_.push_back(message); };
        return std::make_unique<TForm1>(std::move(services));
    }

    // A form that has made its first poll on an empty clipboard.
    std::unique_ptr<TForm1> MakeQuietForm() {
        QGuiApplication::clipboard()->clear();
        return MakeForm();
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        reports_.clear();
        WriteDictionary(dir_->File("Tessaryn"),
                        {Row{"apple", "りんご"}, Row{"banana", "バナナ"},
                         Row{"broken", std::nullopt}, Row{"りんご", "apple"}});
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { dir_.reset(); }

    void poll_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("caption");  // empty: nothing happens
        QTest::addColumn<QString>("answer");
        const QString apple = QStringLiteral("apple\nりんご\n\n");
        QTest::newRow("trimmed, looked up lower-cased") << "50"
                                                        << ""
                                                        << " \tApple\r\n"
                                                        << "Apple" << apple;
        QTest::newRow("length at the limit") << "5"
                                             << ""
                                             << "apple"
                                             << "apple" << apple;
        QTest::newRow("one byte over the limit") << "4"
                                                 << ""
                                                 << "apple"
                                                 << ""
                                                 << "";
        QTest::newRow("UTF-8 bytes at the limit") << "9"
                                                  << ""
                                                  << "りんご"
                                                  << "りんご"
                                                  << "りんご\napple\n\n";
        QTest::newRow("UTF-8 bytes over the limit") << "8"
                                                    << ""
                                                    << "りんご"
                                                    << ""
                                                    << "";
        QTest::newRow("same text again") << "50"
                                         << "apple"
                                         << "apple"
                                         << ""
                                         << "";
        QTest::newRow("other letter case") << "50"
                                           << "apple"
                                           << "Apple"
                                           << "Apple" << apple;
        QTest::newRow("blank clipboard") << "50"
                                         << ""
                                         << "  \r\n"
                                         << ""
                                         << "";
        QTest::newRow("limit 0") << "0"
                                 << ""
                                 << "a"
                                 << ""
                                 << "";
        QTest::newRow("not in the dictionary") << "50"
                                               << ""
                                               << "zebra"
                                               << "zebra"
                                               << "No Data";
    }
    void poll() {
        QFETCH(QString, limit);
        QFETCH(QString, last);
        QFETCH(QString, copied);
        QFETCH(QString, caption);
        QFETCH(QString, answer);
        auto form = MakeQuietForm();
        form->Label1->setText(limit);
        form->LastLookedUpText = last.toStdString();
        form->setWindowTitle(kBefore);
        form->Memo1->setPlainText(kBefore);
        Copy(copied);

        form->PollClipboard(false);

        const bool looked_up = !caption.isEmpty();
        QCOMPARE(Caption(*form), looked_up ? caption : kBefore);
        QCOMPARE(Answer(*form), looked_up ? answer : kBefore);
        QCOMPARE(QString::fromStdString(form->LastLookedUpText), looked_up ? caption : last);
        QVERIFY(form->Timer1->isActive());
        QVERIFY(reports_.empty());
    }

    void creationPollShowsClipboardWithoutMinimisingOrRestoring() {
        Copy(QStringLiteral("banana"));
        auto form = MakeForm();
        QCOMPARE(Caption(*form), QStringLiteral("banana"));
        QCOMPARE(Answer(*form), QStringLiteral("banana\nバナナ\n\n"));
        QVERIFY(!form->isVisible());
        QVERIFY(!form->isMinimized());
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(form->Timer1->interval(), 3000);
        QCOMPARE(form->Label1->text(), QStringLiteral("50"));
        QCOMPARE(form->focusWidget(), form->Edit0);
    }

    void timerPollBringsMinimisedWindowBack() {
        auto form = MakeQuietForm();
        form->show();
        form->showMinimized();
        QVERIFY(form->isMinimized());
        Copy(QStringLiteral("apple"));
        form->Dispatch(&TForm1::Timer1Timer);
        QCOMPARE(Caption(*form), QStringLiteral("apple"));
        QVERIFY(!form->isMinimized());
        QVERIFY(form->isVisible());
    }

    void timerPollKeepsWindowMaximised() {
        auto form = MakeQuietForm();
        form->showMaximized();
        Copy(QStringLiteral("apple"));
        form->Dispatch(&TForm1::Timer1Timer);
        QCOMPARE(form->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized),
                 Qt::WindowStates(Qt::WindowMaximized));
    }

    void setUpMode() {
        Copy(QStringLiteral("apple"));
        auto form = MakeForm();
        form->show();
        form->Button3->click();
        QVERIFY(!form->Timer1->isActive());
        QVERIFY(form->Button1->isVisible() && form->Button2->isVisible());
        QVERIFY(!form->Button3->isVisible() && form->Button4->isVisible());
        QCOMPARE(Caption(*form), QString::fromUtf8("監視タイマーは休止中"));
        QCOMPARE(Answer(*form), QString::fromUtf8("OK押すまでは何もしないよ"));
        QCOMPARE(form->focusWidget(), form->Edit0);

        form->Button4->click();
        QVERIFY(form->Timer1->isActive());
        QVERIFY(!form->Button1->isVisible() && !form->Button2->isVisible());
        QVERIFY(form->Button3->isVisible() && !form->Button4->isVisible());
        QCOMPARE(Caption(*form), QString());
        QCOMPARE(Answer(*form), QString());
        QCOMPARE(form->focusWidget(), form->Edit0);

        // The last text is still remembered: it is not shown again until something new comes.
        form->Dispatch(&TForm1::Timer1Timer);
        QCOMPARE(Caption(*form), QString());
        Copy(QStringLiteral("banana"));
        form->Dispatch(&TForm1::Timer1Timer);
        QCOMPARE(Caption(*form), QStringLiteral("banana"));
    }

    void limitButtons_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up at 255") << "255" << true << "255";
        QTest::newRow("down at 1") << "1" << false << "1";
        QTest::newRow("up from 0") << "0" << true << "1";
    }
    void limitButtons() {
        QFETCH(QString, limit);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        auto form = MakeQuietForm();
        form->show();
        form->Button3->click();
        form->Label1->setText(limit);
        (up ? form->Button1 : form->Button2)->click();
        QCOMPARE(form->Label1->text(), expected);
        QCOMPARE(form->focusWidget(), form->Edit0);
    }

    void formResize_data() {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QRect>("memo");
        QTest::newRow("designed") << QSize(320, 270) << QRect(6, 75, 300, 150);
        QTest::newRow("minimum") << QSize(150, 150) << QRect(6, 75, 130, 30);
        QTest::newRow("larger") << QSize(500, 400) << QRect(6, 75, 480, 280);
    }
    void formResize() {
        QFETCH(QSize, outer);
        QFETCH(QRect, memo);
        auto form = MakeQuietForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->SetOuterBounds(QRect(QPoint(10, 10), outer));
        QTRY_COMPARE(form->OuterBounds().size(), outer);
        QCOMPARE(form->Memo1->geometry(), memo);
    }

    void failingLookupStopsTheWatchUntilSetUp() {
        auto form = MakeQuietForm();
        form->show();
        form->PollClipboard(false);
        Copy(QStringLiteral("apple"));
        form->Dispatch(&TForm1::Timer1Timer);
        Copy(QStringLiteral("Broken"));

        form->Dispatch(&TForm1::Timer1Timer);

        QCOMPARE(reports_.size(), std::size_t{1});
        QCOMPARE(Caption(*form), QStringLiteral("apple"));
        QCOMPARE(Answer(*form), QStringLiteral("apple\nりんご\n\n"));
        QCOMPARE(form->LastLookedUpText, std::string("apple"));
        QVERIFY(!form->Timer1->isActive());
        QVERIFY(form->isMinimized());

        form->Button3->click();
        form->Button4->click();
        QVERIFY(form->Timer1->isActive());
        form->Dispatch(&TForm1::Timer1Timer);
        QCOMPARE(reports_.size(), std::size_t{2});
    }

    void failingCreationPollStillOpensTheWindow() {
        Copy(QStringLiteral("broken"));
        auto form = MakeForm();
        QCOMPARE(reports_.size(), std::size_t{1});
        QVERIFY(!form->Timer1->isActive());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void loadPlacement_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<QString>("limit");
        QTest::newRow("no file") << QByteArray() << QRect(0, 0, 320, 270) << "50";
        QTest::newRow("from the file")
            << QByteArray("30\r\n40\r\n350\r\n260\r\n7\r\n") << QRect(30, 40, 350, 260) << "7";
        QTest::newRow("limit 0 and too small")
            << QByteArray("30\r\n40\r\n20\r\n20\r\n0\r\n") << QRect(30, 40, 150, 150) << "0";
        QTest::newRow("limit over 255")
            << QByteArray("30\r\n40\r\n350\r\n260\r\n300\r\n") << QRect(30, 40, 350, 260) << "255";
    }
    void loadPlacement() {
        QFETCH(QByteArray, file);
        QFETCH(QRect, bounds);
        QFETCH(QString, limit);
        if (!file.isNull()) {
            WriteBytes(PlacementFile(), file.toStdString());
        }
        auto form = MakeQuietForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_COMPARE(form->OuterBounds(), bounds);
        QCOMPARE(form->Label1->text(), limit);
    }

    void placementRoundTrip() {
        auto form = MakeQuietForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->SetOuterBounds(QRect(30, 40, 350, 260));
        QTRY_COMPARE(form->OuterBounds(), QRect(30, 40, 350, 260));
        form->Button3->click();
        form->Button2->click();
        QVERIFY(form->close());  // in set-up mode: the limit is saved as shown
        QCOMPARE(ReadBytes(PlacementFile()), std::string("30\r\n40\r\n350\r\n260\r\n49\r\n"));

        auto again = MakeQuietForm();
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        QTRY_COMPARE(again->OuterBounds(), QRect(30, 40, 350, 260));
        QCOMPARE(again->Label1->text(), QStringLiteral("49"));
    }

    void failedSaveKeepsTheOldFile_data() {
        QTest::addColumn<bool>("read_only_folder");
        QTest::newRow("read-only folder") << true;
        QTest::newRow("write cut short") << false;
    }
    void failedSaveKeepsTheOldFile() {
        QFETCH(bool, read_only_folder);
        if (read_only_folder && geteuid() == 0) {
            QSKIP("root writes into read-only folders");
        }
        const std::string old = "30\r\n40\r\n350\r\n260\r\n7\r\n";
        WriteBytes(PlacementFile(), old);
        auto form = MakeQuietForm();
        form->show();
        form->SetOuterBounds(QRect(60, 70, 400, 300));
        {
            std::optional<FileSizeLimit> limit;
            if (read_only_folder) {
                std::filesystem::permissions(dir_->path(), std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::remove);
            } else {
                limit.emplace(4);
            }
            QVERIFY(form->close());
        }
        std::filesystem::permissions(dir_->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        QCOMPARE(reports_.size(), std::size_t{1});
        QVERIFY(reports_[0].find("Quorvantix.txt") != std::string::npos);
        QCOMPARE(ReadBytes(PlacementFile()), old);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(dir_->path()),
                               std::filesystem::directory_iterator()),
                 2);  // the dictionary and the old file, no leftovers
    }
};

QTEST_MAIN(FormTest)
#include "FormTest.moc"
