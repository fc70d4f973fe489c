// One program run's speech timings, in milliseconds, one "name value" a line:
//   prepare            making the engine after the window is up (the GUI thread waits)
//   close-after-click  closing (stop, then destroy the control) 50 ms after a click spoke a word
//   close-at-rest      closing a second and a half after the click, the word long done
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "speech/SpeechClick.h"
#include "speech/TTextToSpeech.h"

namespace {

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double Milliseconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

// Clicks on "hello", waits, and times what closing the window does with the control.
double CloseAfter(int wait_ms, std::unique_ptr<quorvantix::TTextToSpeech> speech) {
    quorvantix::SpeakWordAtCaret(*speech, "hello", 0);
    RunEventsFor(wait_ms);
    QElapsedTimer timer;
    timer.start();
    quorvantix::StopSpeaking(*speech);
    speech.reset();
    return Milliseconds(timer);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    auto speech = std::make_unique<quorvantix::TTextToSpeech>();
    QElapsedTimer timer;
    timer.start();
    speech->Prepare();
    std::printf("prepare %.2f\n", Milliseconds(timer));

    std::printf("close-after-click %.2f\n", CloseAfter(50, std::move(speech)));
    speech = std::make_unique<quorvantix::TTextToSpeech>();
    speech->Prepare();
    std::printf("close-at-rest %.2f\n", CloseAfter(1500, std::move(speech)));
    return 0;
}
