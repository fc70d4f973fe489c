// The window of the program with speech, offscreen, with a stand-in speech control.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <memory>

#include "FakeSpeech.h"
#include "FormTabChain.h"
#include "app/DesktopClipboard.h"
#include "app/TForm1.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestDictionary.h"
#include "tests/support/TryCompare.h"

using namespace quorvantix;
using quorvantix::testing::DesignedTabChain;
using quorvantix::testing::FileSizeLimit;
using quorvantix::testing::FormTabChain;
using quorvantix::testing::Row;
using quorvantix::testing::TempDir;
using quorvantix::testing::WriteDictionary;
using Calls = std::vector<std::string>;

class FormSpeechTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    std::vector<std::string> reports_;
    std::unique_ptr<TForm1> form_;
    FakeSpeech* speech_ = nullptr;

    std::string PlacementFile() const { return dir_->File("Quorvantix.txt"); }

    // A window that speaks through the stand-in, which stays reachable through `fake`.
    std::unique_ptr<TForm1> MakeForm(FakeSpeech*& fake) {
        FormServices services;
        services.program_folder = dir_->path().string() + "/";
        services.clipboard = std::make_unique<DesktopClipboard>();
        services.report = [this](const std::string& message) { reports_.push_back(message); };
        auto speech = std::make_unique<FakeSpeech>();
        fake = speech.get();
        services.speech = std::move(speech);
        return std::make_unique<TForm1>(std::move(services));
    }

    // Clicks Memo1 where the character at this position is drawn.
    void ClickAt(int position) {
        QTextCursor cursor = form_->Memo1->textCursor();
        cursor.setPosition(position);
        const QPoint place = form_->Memo1->cursorRect(cursor).center() + QPoint(1, 0);
        QTest::mouseClick(form_->Memo1->viewport(), Qt::LeftButton, {}, place);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        reports_.clear();
        WriteDictionary(dir_->File("Tessaryn"), {Row{"apple", "りんご"}});
        QGuiApplication::clipboard()->clear();
        form_ = MakeForm(speech_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->Memo1->setPlainText(QString::fromUtf8("りんご Apple,  pie"));
    }
    void cleanup() {
        form_.reset();
        dir_.reset();
    }

    void click_data() {
        QTest::addColumn<bool>("speaking");
        QTest::addColumn<bool>("state_fails");
        QTest::addColumn<int>("position");
        QTest::addColumn<Calls>("calls");
        QTest::newRow("silent") << false << false << 5 << Calls{"state", "speak apple"};
        QTest::newRow("speaking") << true << false << 5 << Calls{"state", "stop", "speak apple"};
        QTest::newRow("after Japanese") << false << false << 1 << Calls{"state"};
        QTest::newRow("between spaces") << true << false << 11 << Calls{"state", "stop"};
        QTest::newRow("state unreadable") << true << true << 5 << Calls{"state"};
    }
    void click() {
        QFETCH(bool, speaking);
        QFETCH(bool, state_fails);
        QFETCH(int, position);
        QFETCH(Calls, calls);
        speech_->state = speaking ? SpeechState::Speaking : SpeechState::Ready;
        speech_->state_fails = state_fails;
        form_->Memo1->setFocus();
        ClickAt(position);
        QCOMPARE(speech_->calls, calls);
        QCOMPARE(form_->focusWidget(), form_->Edit0);
    }

    // The caret is the selection's start, counted in UTF-8 bytes of the answer.
    void selection_start_picks() {
        QTextCursor cursor = form_->Memo1->textCursor();
        cursor.setPosition(15);
        cursor.setPosition(13, QTextCursor::KeepAnchor);
        form_->Memo1->setTextCursor(cursor);
        form_->Dispatch(&TForm1::Memo1Click);
        QCOMPARE(speech_->calls, (Calls{"state", "speak pie"}));
    }

    void close_saves_then_stops() {
        speech_->state = SpeechState::Speaking;
        bool saved_first = false;
        speech_->on_state_read = [&] { saved_first = std::filesystem::exists(PlacementFile()); };
        QVERIFY(form_->close());
        QVERIFY(saved_first);
        QCOMPARE(speech_->calls, (Calls{"state", "stop"}));
        QVERIFY(reports_.empty());
    }

    // Stopping flite lets posted events through while it waits: a close posted meanwhile is
    // handled once the click's handler has returned, not inside it.
    void close_posted_during_a_stop_waits_for_the_click() {
        speech_->state = SpeechState::Speaking;
        speech_->on_first_stop = [this] {
            QMetaObject::invokeMethod(form_.get(), &QWidget::close, Qt::QueuedConnection);
            QCoreApplication::processEvents();
        };
        ClickAt(5);
        QCOMPARE(speech_->calls, (Calls{"state", "stop", "speak apple", "state", "stop"}));
        QVERIFY(!form_->isVisible());
    }

    void close_stops_even_when_the_save_fails() {
        speech_->state = SpeechState::Speaking;
        {
            const FileSizeLimit limit(4);
            QVERIFY(form_->close());
        }
        QCOMPARE(speech_->calls, (Calls{"state", "stop"}));
        QCOMPARE(reports_.size(), std::size_t{1});
    }

    // Starting the engine makes the caller wait: not before the window is up, and once.
    void prepared_after_construction() {
        FakeSpeech* speech = nullptr;
        const auto form = MakeForm(speech);
        QCOMPARE(speech->prepares, 0);
        TRY_COMPARE(speech->prepares, 1);
        QCOMPARE(speech_->prepares, 1);
        QVERIFY(speech->calls.empty());
    }

    // The speech control is hidden: Tab goes from Memo1 straight to the buttons.
    void tab_skips_nothing() { QCOMPARE(FormTabChain(*form_), DesignedTabChain(*form_)); }

    void lookup_leaves_speech_running() {
        speech_->state = SpeechState::Speaking;
        QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
        form_->Dispatch(&TForm1::Timer1Timer);
        QCOMPARE(form_->Memo1->toPlainText(), QString::fromUtf8("apple\nりんご\n\n"));
        QVERIFY(speech_->calls.empty());
    }
};

QTEST_MAIN(FormSpeechTest)
#include "FormSpeechTest.moc"
