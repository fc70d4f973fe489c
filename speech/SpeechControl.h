#pragma once

#include <stdexcept>
#include <string>

namespace quorvantix {

// Raised by a speech control that cannot read its state, speak or stop.
class SpeechError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where speech stands, as the program needs to know it: a paused word counts as stopped, and
// an engine that has failed is not speaking.
enum class SpeechState { Ready, Speaking, Failed };

// What the program needs of a text-to-speech engine. Every call may raise SpeechError.
class SpeechControl {
  public:
    virtual ~SpeechControl() = default;

    // Gets ready to speak ahead of the first word; a failure waits for the next call.
    virtual void Prepare() noexcept {}

    // Speaking from Speak until the word has been said or stopped.
    virtual SpeechState SpeakingState() = 0;
    // Starts speaking and returns while the speech goes on.
    virtual void Speak(const std::u16string& text) = 0;
    virtual void StopSpeech() = 0;
};

}  // namespace quorvantix
