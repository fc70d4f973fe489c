// The clipboard watch of TForm1.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "app/NumberText.h"
#include "app/TForm1.h"
#include "lookup/LookupWord.h"
#include "text/AsciiText.h"

namespace quorvantix {

namespace {

// The dictionary separates lines with CR LF; the answer area breaks lines at LF.
QString AnswerForDisplay(const std::string& answer) {
    return QString::fromStdString(WithLfLineEnds(answer));
}

}  // namespace

void TForm1::Timer1Timer() {
    PollClipboard(true);
}

void TForm1::PollClipboard(bool FromTimer) {
    Timer1->stop();
    const std::size_t limit = static_cast<std::size_t>(DigitsValue(Label1->text().toStdString()));
    const std::string text = ReadClipboardText(*clipboard_);
    if (text.size() <= limit && text != LastLookedUpText && !text.empty()) {
        if (FromTimer) {
            MinimiseApplication();
        }
        const std::string dictionary_path = program_folder_ + kDictionaryFileName;
        std::string answer = LookupWord(LowerAsciiLetters(text), dictionary_path, "", false, false);
        if (answer.empty()) {
            answer = "No Data";
        }
        SetCaption(text);
        Memo1->setPlainText(AnswerForDisplay(answer));
        if (FromTimer) {
            RestoreApplication();
        }
        LastLookedUpText = text;
    }
    Timer1->start();
}

// A maximised window keeps that state through both steps.
void TForm1::MinimiseApplication() {
    setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
}

// The window manager only brings a minimised window back once its minimised state is cleared
// and it is shown again; raising or activating alone is not enough.
void TForm1::RestoreApplication() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

}  // namespace quorvantix
