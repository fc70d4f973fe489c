// A Wayland-native program that holds the focus and copies: the other program of the desktop
// tests. It reads commands, one per line, on standard input:
//   window       show a new window of its own, which takes the focus
//   copy TEXT    put TEXT on the clipboard (through Qt, or data-control with --data-control)
//   stall TEXT   offer TEXT on the clipboard through data-control and never send it
//   close-unwritten TEXT, send-slowly TEXT, offer-html TEXT
//                as stall, but close each request unwritten, send TEXT a byte every 30 ms,
//                or offer it only as text/html
//   clear        empty the clipboard through data-control
//   quit
// and reports on standard output: "active N" / "inactive" as its N-th window gains the focus
// or the program loses it, "key" when a key is released in it, "copied TEXT", "stalled TEXT",
// "offered TEXT" (close-unwritten, offer-html), "cleared",
// "lost TEXT" when the clipboard is no longer its own half a second after a copy, or
// "failed: ..." when a command could not be done.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <QWindow>
#include <iostream>
#include <memory>
#include <string>

#include "sessions/wayland/DataControlSource.h"

namespace {

using quorvantix::testing::DataControlSource;

void Report(const std::string& line) {
    std::cout << line << std::endl;
}

class Copier : public QObject {
  public:
    explicit Copier(bool use_data_control) : use_data_control_(use_data_control) {
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
            Report(focus != nullptr ? "active " + std::to_string(windows_shown_) : "inactive");
        });
        qApp->installEventFilter(this);
    }

    void Run(const std::string& line) {
        const std::string command = line.substr(0, line.find(' '));
        const std::string text =
            line.size() > command.size() ? line.substr(command.size() + 1) : "";
        if (command == "window") {
            ShowNewWindow();
        } else if (command == "copy" && !use_data_control_) {
            QGuiApplication::clipboard()->setText(QString::fromStdString(text));
            Report("copied " + text);
            // A compositor may cancel the copy at once (KWin does for a stale input serial):
            // say so, for the test's log.
            QTimer::singleShot(500, this, [text] {
                if (!QGuiApplication::clipboard()->ownsClipboard()) {
                    Report("lost " + text);
                }
            });
        } else if (command == "copy") {
            OfferThroughDataControl(text, DataControlSource::Owner::kSends, "copied ");
        } else if (command == "stall") {
            OfferThroughDataControl(text, DataControlSource::Owner::kStalls, "stalled ");
        } else if (command == "close-unwritten") {
            OfferThroughDataControl(text, DataControlSource::Owner::kClosesUnwritten, "offered ");
        } else if (command == "send-slowly") {
            OfferThroughDataControl(text, DataControlSource::Owner::kSendsSlowly, "copied ");
        } else if (command == "offer-html") {
            OfferThroughDataControl(text, DataControlSource::Owner::kOffersHtmlOnly, "offered ");
        } else if (command == "clear") {
            ClearThroughDataControl();
        } else if (command == "quit") {
            QCoreApplication::quit();
        } else {
            Report("failed: unknown command " + line);
        }
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == window_.get() && event->type() == QEvent::KeyRelease) {
            Report("key");
        }
        return false;
    }

  private:
    void ShowNewWindow() {
        auto window = std::make_unique<QLabel>(QStringLiteral("copier"));
        window->setWindowTitle(QStringLiteral("copier"));
        window->resize(500, 400);
        window_ = std::move(window);
        ++windows_shown_;
        window_->show();
    }

    bool ConnectDataControl() {
        if (!source_) {
            source_ = DataControlSource::Connect();
            if (!source_) {
                Report("failed: the compositor offers no data-control");
                return false;
            }
            notifier_ =
                std::make_unique<QSocketNotifier>(source_->SocketFd(), QSocketNotifier::Read);
            QObject::connect(notifier_.get(), &QSocketNotifier::activated,
                             [this] { source_->Dispatch(); });
        }
        return true;
    }

    void OfferThroughDataControl(const std::string& text, DataControlSource::Owner owner,
                                 const std::string& done) {
        if (!ConnectDataControl()) {
            return;
        }
        if (!source_->Offer(text, owner)) {
            Report("failed: the compositor did not take the clipboard");
            return;
        }
        Report(done + text);
    }

    void ClearThroughDataControl() {
        if (ConnectDataControl()) {
            Report(source_->Clear() ? "cleared" : "failed: the compositor did not clear it");
        }
    }

    bool use_data_control_;
    std::unique_ptr<QLabel> window_;
    int windows_shown_ = 0;
    std::unique_ptr<DataControlSource> source_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("copier"));
    const bool use_data_control = QCoreApplication::arguments().contains("--data-control");
    Copier copier(use_data_control);
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        // Lines that came together wait in cin's buffer, where the notifier cannot see them.
        do {
            std::string line;
            if (!std::getline(std::cin, line)) {
                QCoreApplication::quit();
                return;
            }
            copier.Run(line);
        } while (std::cin.rdbuf()->in_avail() > 0);
    });
    Report("started on " + QGuiApplication::platformName().toStdString());
    return application.exec();
}
