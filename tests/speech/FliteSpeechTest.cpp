#include <gtest/gtest.h>

#include <QCoreApplication>

#include "speech/FliteSpeech.h"
#include "speech/SpeechClick.h"

namespace quorvantix {
namespace {

TEST(FliteSpeechTest, AnEngineThatCannotStartFailsEveryCall) {
    int argc = 1;
    char name[] = "speech_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    FliteSpeech speech("no-such-engine");
    speech.Prepare();
    EXPECT_THROW(speech.SpeakingState(), SpeechError);
    EXPECT_THROW(speech.Speak(u"hello"), SpeechError);
    EXPECT_THROW(speech.StopSpeech(), SpeechError);
    EXPECT_FALSE(StopSpeaking(speech));
    SpeakWordAtCaret(speech, "hello", 0);
}

}  // namespace
}  // namespace quorvantix
