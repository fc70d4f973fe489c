#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "speech/SpeechControl.h"

namespace quorvantix {

// A speech control that logs every call ("state", "stop", "speak WORD") and can be made to fail.
// Preparing is only counted.
class FakeSpeech : public SpeechControl {
  public:
    SpeechState state = SpeechState::Ready;
    bool state_fails = false;
    bool stop_fails = false;
    bool speak_fails = false;
    std::vector<std::string> calls;
    std::function<void()> on_state_read;
    std::function<void()> on_first_stop;
    int prepares = 0;

    void Prepare() noexcept override { ++prepares; }

    SpeechState SpeakingState() override {
        calls.push_back("state");
        if (on_state_read) {
            on_state_read();
        }
        if (state_fails) {
            throw SpeechError("state unreadable");
        }
        return state;
    }

    void Speak(const std::u16string& text) override {
        calls.push_back("speak " + std::string(text.begin(), text.end()));
        if (speak_fails) {
            throw SpeechError("cannot speak");
        }
        state = SpeechState::Speaking;
    }

    void StopSpeech() override {
        calls.push_back("stop");
        if (auto hook = std::exchange(on_first_stop, nullptr)) {
            hook();
        }
        if (stop_fails) {
            throw SpeechError("cannot stop");
        }
        state = SpeechState::Ready;
    }
};

}  // namespace quorvantix
