#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSpeech.h"
#include "speech/SpeechClick.h"

namespace quorvantix {
namespace {

using Calls = std::vector<std::string>;
using FailingCall = bool FakeSpeech::*;

FakeSpeech Control(SpeechState state, FailingCall failing = nullptr) {
    FakeSpeech speech;
    speech.state = state;
    if (failing != nullptr) {
        speech.*failing = true;
    }
    return speech;
}

TEST(SpeechClickTest, StopsFirstAndSpeaksOnlyWhenTheStopWorked) {
    struct Case {
        const char* name;
        FakeSpeech speech;
        bool stopped;
        Calls click_calls;
    };
    const Case cases[] = {
        {"silent", Control(SpeechState::Ready), true, {"state", "speak hello"}},
        {"speaking", Control(SpeechState::Speaking), true, {"state", "stop", "speak hello"}},
        // An engine that failed has nothing to stop; the next word may still be spoken.
        {"failed", Control(SpeechState::Failed), true, {"state", "speak hello"}},
        {"state unreadable",
         Control(SpeechState::Speaking, &FakeSpeech::state_fails),
         false,
         {"state"}},
        {"stop fails",
         Control(SpeechState::Speaking, &FakeSpeech::stop_fails),
         false,
         {"state", "stop"}},
        {"speak fails",
         Control(SpeechState::Ready, &FakeSpeech::speak_fails),
         true,
         {"state", "speak hello"}},
    };
    for (const Case& one : cases) {
        FakeSpeech stopping = one.speech;
        EXPECT_EQ(StopSpeaking(stopping), one.stopped) << one.name;
        FakeSpeech clicked = one.speech;
        SpeakWordAtCaret(clicked, "Hello, world", 2);
        EXPECT_EQ(clicked.calls, one.click_calls) << one.name;
    }
}

}  // namespace
}  // namespace quorvantix
