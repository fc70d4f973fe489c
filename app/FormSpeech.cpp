// The window's speech, when it has a speech control: a click in Memo1 speaks the word at the
// caret.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "app/ClickFilter.h"
#include "app/TForm1.h"
#include "speech/SpeechClick.h"

namespace quorvantix {

void TForm1::ConnectSpeechControl() {
    if (!TextToSpeech1) {
        return;
    }
    new ClickFilter(Memo1->viewport(), [this] { Dispatch(&TForm1::Memo1Click); });
    // The engine takes a moment to start: not before the window is up.
    QTimer::singleShot(0, this, [this] { TextToSpeech1->Prepare(); });
}

bool TForm1::StopSpeaking() {
    return !TextToSpeech1 || quorvantix::StopSpeaking(*TextToSpeech1);
}

void TForm1::Memo1Click() {
    if (!TextToSpeech1) {
        return;
    }
    const QString text = Memo1->toPlainText();
    const int caret = Memo1->textCursor().selectionStart();
    SpeakWordAtCaret(*TextToSpeech1, text.toStdString(), text.left(caret).toUtf8().size());
    Edit0->setFocus();
}

}  // namespace quorvantix
