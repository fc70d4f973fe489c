#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "speech/SpeechClick.h"
#include "speech/TTextToSpeech.h"

namespace quorvantix {
namespace {

// Reads the state until it fails, for at most five seconds.
bool FailsSoon(SpeechControl& speech) {
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        try {
            speech.SpeakingState();
        } catch (const SpeechError&) {
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return false;
}

TEST(TTextToSpeechTest, FallsBackWhenThePreferredEngineCannotStart) {
    int argc = 1;
    char name[] = "speech_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    TTextToSpeech speech("no-such-engine", "no-such-fallback");
    speech.Prepare();
    // Words and stops before the engine is known go nowhere, and nothing waits.
    SpeakWordAtCaret(speech, "hello", 0);
    EXPECT_TRUE(StopSpeaking(speech));
    ASSERT_TRUE(FailsSoon(speech)) << "the fallback engine was never tried";
    EXPECT_THROW(speech.Speak(u"hello"), SpeechError);
    EXPECT_FALSE(StopSpeaking(speech));
}

}  // namespace
}  // namespace quorvantix
