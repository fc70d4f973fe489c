// One program run's speech timings, in milliseconds, one "name value" a line:
//   prepare           starting the engine after the window is up (the GUI thread waits)
//   stop-after-click  stopping the word 50 ms after a click spoke it, as a click or closing does
//   stop-at-rest      the same three seconds after the click, the engine up and the word done
//   close             closing the engine as the application quits
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "speech/EndWithoutTeardown.h"
#include "speech/SpeechClick.h"
#include "speech/TTextToSpeech.h"

namespace {

constexpr int kStopSoonMs = 50;
constexpr int kStopLateMs = 3000;

double Milliseconds(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

void StopAndPrint(const char* name, quorvantix::TTextToSpeech& speech) {
    QElapsedTimer timer;
    timer.start();
    quorvantix::StopSpeaking(speech);
    std::printf("%s %.2f\n", name, Milliseconds(timer));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    quorvantix::TTextToSpeech speech;
    QElapsedTimer closing;

    // Everything runs from the event loop, as in the program.
    QTimer::singleShot(0, [&] {
        QElapsedTimer timer;
        timer.start();
        speech.Prepare();
        std::printf("prepare %.2f\n", Milliseconds(timer));
        quorvantix::SpeakWordAtCaret(speech, "apple", 0);
    });
    QTimer::singleShot(kStopSoonMs, [&] {
        StopAndPrint("stop-after-click", speech);
        quorvantix::SpeakWordAtCaret(speech, "apple", 0);
    });
    QTimer::singleShot(2 * kStopSoonMs + kStopLateMs, [&] {
        StopAndPrint("stop-at-rest", speech);
        closing.start();
        QCoreApplication::quit();
    });
    const int status = QCoreApplication::exec();
    std::printf("close %.2f\n", Milliseconds(closing));
    quorvantix::EndWithoutTeardown(status);
}
