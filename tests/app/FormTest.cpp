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
#include "tests/support/FixedClipboard.h"
#include "tests/support/TestDictionary.h"
#include "tests/support/TryCompare.h"

using namespace quorvantix;
using quorvantix::testing::FileSizeLimit;
using quorvantix::testing::FixedClipboard;
using quorvantix::testing::NoNewFiles;
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

// The caption as the window system is given it.
QString Caption(TForm1& form) {
    form.winId();
    return form.windowHandle()->title();
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

    std::unique_ptr<TForm1> MakeForm(std::unique_ptr<ClipboardReader> clipboard = nullptr) {
        FormServices services;
        services.program_folder = Folder();
        services.clipboard =
            clipboard ? std::move(clipboard) : std::make_unique<DesktopClipboard>();
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
        form->SetCaption(kBefore.toStdString());
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

    // Whatever another program puts on the clipboard is turned away by the limit, or looked up
    // literally and shown as copied; nothing else changes.
    void hostileClipboardText_data() {
        QTest::addColumn<QByteArray>("copied");
        QTest::addColumn<bool>("looked_up");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("answer");
        const QString none = QStringLiteral("No Data");
        const auto row = [](const char* name, const QByteArray& bytes) {
            return std::ref(QTest::newRow(name) << bytes);
        };
        row("1 MB of text", QByteArray(1024 * 1024, 'a')) << false << QString() << QString();
        row("ill-formed UTF-8", QByteArray("\xff\xfe ab\xc0\xaf"))
            << true << QString::fromUtf8("\xff\xfe ab\xc0\xaf") << none;
        row("embedded NUL", QByteArray("apple\0; rm -rf /", 17))
            << true << QStringLiteral("apple") << QStringLiteral("apple\nりんご\n\n");
        row("control characters only", QByteArray("\x01\x02\x1b\x7f\x1f"))
            << true << QString::fromUtf8("\x7f") << none;
        row("control characters and spaces only", QByteArray("\x01\x02\x1b \x1f"))
            << false << QString() << QString();
        row("SQL", QByteArray("x\" OR 1=1 --")) << true << QStringLiteral("x\" OR 1=1 --") << none;
        row("LIKE wildcards", QByteArray("%")) << true << QStringLiteral("%") << none;
        row("LIKE one-character wildcard", QByteArray("_")) << true << QStringLiteral("_") << none;
        row("escape character", QByteArray("\\")) << true << QStringLiteral("\\") << none;
        row("Qt's modified mark", QByteArray("ab[*]give"))
            << true << QStringLiteral("ab[*]give") << none;
        row("marks doubled", QByteArray("[*][*]")) << true << QStringLiteral("[*][*]") << none;
        row("ampersand", QByteArray("&apple")) << true << QStringLiteral("&apple") << none;
        row("right to left", QByteArray("שלום")) << true << QString::fromUtf8("שלום") << none;
        row("combining characters", QByteArray("cafe\xcc\x81"))
            << true << QString::fromUtf8("cafe\xcc\x81") << none;
    }
    void hostileClipboardText() {
        QFETCH(QByteArray, copied);
        QFETCH(bool, looked_up);
        QFETCH(QString, caption);
        QFETCH(QString, answer);
        auto form = MakeForm(std::make_unique<FixedClipboard>(copied.toStdString()));
        form->Label1->setText(QStringLiteral("255"));
        form->LastLookedUpText.clear();
        form->SetCaption(kBefore.toStdString());
        form->Memo1->setPlainText(kBefore);

        form->PollClipboard(false);

        QCOMPARE(Caption(*form), looked_up ? caption : kBefore);
        QCOMPARE(Answer(*form), looked_up ? answer : kBefore);
        QCOMPARE(form->Label1->text(), QStringLiteral("255"));
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
        TRY_COMPARE(form->OuterBounds().size(), outer);
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
        TRY_COMPARE(form->OuterBounds(), bounds);
        QCOMPARE(form->Label1->text(), limit);
    }

    void placementRoundTrip() {
        auto form = MakeQuietForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->SetOuterBounds(QRect(30, 40, 350, 260));
        TRY_COMPARE(form->OuterBounds(), QRect(30, 40, 350, 260));
        form->Button3->click();
        form->Button2->click();
        QVERIFY(form->close());  // in set-up mode: the limit is saved as shown
        QCOMPARE(ReadBytes(PlacementFile()), std::string("30\r\n40\r\n350\r\n260\r\n49\r\n"));

        auto again = MakeQuietForm();
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        TRY_COMPARE(again->OuterBounds(), QRect(30, 40, 350, 260));
        QCOMPARE(again->Label1->text(), QStringLiteral("49"));
    }

    void failedSaveKeepsTheOldFile_data() {
        QTest::addColumn<QString>("fault");
#ifndef __SANITIZE_ADDRESS__
        // The sanitizers' own checks need new files while the failure is reported.
        QTest::newRow("no new file can be made") << "no new files";
#endif
        QTest::newRow("write cut short") << "file size";
        // Root writes into read-only folders, so for root this case would prove nothing.
        if (geteuid() != 0) {
            QTest::newRow("read-only folder") << "read-only folder";
        }
    }
    void failedSaveKeepsTheOldFile() {
        QFETCH(QString, fault);
        const std::string old = "30\r\n40\r\n350\r\n260\r\n7\r\n";
        WriteBytes(PlacementFile(), old);
        auto form = MakeQuietForm();
        form->show();
        form->SetOuterBounds(QRect(60, 70, 400, 300));
        {
            std::optional<FileSizeLimit> size_limit;
            std::optional<NoNewFiles> no_new_files;
            if (fault == "read-only folder") {
                std::filesystem::permissions(dir_->path(), std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::remove);
            } else if (fault == "file size") {
                size_limit.emplace(4);
            } else {
                no_new_files.emplace();
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
