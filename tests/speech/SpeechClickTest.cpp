#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSpeech.h"
#include "speech/SpeechClick.h"

namespace quorvantix {
namespace {

using Calls = std::vector<std::string>;

struct Click {
    const char* name;
    FakeSpeech speech;
    size_t caret;
    Calls calls;
    int state_after;
};

FakeSpeech Speaking() {
    FakeSpeech speech;
    speech.state = 1;
    return speech;
}

FakeSpeech Failing(bool FakeSpeech::*what, int state = 1) {
    FakeSpeech speech;
    speech.state = state;
    speech.*what = true;
    return speech;
}

TEST(SpeechClickTest, StopsFirstThenSpeaksTheWordAtTheCaret) {
    const std::string text = "Hello, world";
    Click clicks[] = {
        {"silent", FakeSpeech{}, 2, {"state", "speak hello"}, 1},
        {"speaking, same word again", Speaking(), 2, {"state", "stop", "speak hello"}, 1},
        {"speaking, click on punctuation", Speaking(), 6, {"state", "stop"}, 0},
        {"silent, click on a space", FakeSpeech{}, 6, {"state"}, 0},
        {"state unreadable", Failing(&FakeSpeech::state_fails), 2, {"state"}, 1},
        {"stop fails", Failing(&FakeSpeech::stop_fails), 2, {"state", "stop"}, 1},
        {"speak fails", Failing(&FakeSpeech::speak_fails, 0), 9, {"state", "speak world"}, 0},
    };
    for (Click& click : clicks) {
        SpeakWordAtCaret(click.speech, text, click.caret);
        EXPECT_EQ(click.speech.calls, click.calls) << click.name;
        EXPECT_EQ(click.speech.state, click.state_after) << click.name;
    }
}

TEST(SpeechClickTest, StopSpeakingTellsWhetherTheSpeechHasEnded) {
    struct Stop {
        const char* name;
        FakeSpeech speech;
        bool stopped;
        Calls calls;
    };
    Stop stops[] = {
        {"silent", FakeSpeech{}, true, {"state"}},
        {"speaking", Speaking(), true, {"state", "stop"}},
        {"state unreadable", Failing(&FakeSpeech::state_fails), false, {"state"}},
        {"stop fails", Failing(&FakeSpeech::stop_fails), false, {"state", "stop"}},
    };
    for (Stop& stop : stops) {
        EXPECT_EQ(StopSpeaking(stop.speech), stop.stopped) << stop.name;
        EXPECT_EQ(stop.speech.calls, stop.calls) << stop.name;
    }
}

}  // namespace
}  // namespace quorvantix
