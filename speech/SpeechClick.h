#pragma once

#include <cstddef>
#include <string_view>

#include "speech/SpeechControl.h"

namespace quorvantix {

// True when nothing is being spoken any more; false when the control failed.
bool StopSpeaking(SpeechControl& speech) noexcept;

// A click in the answer: stops the speech in progress and speaks the word at the caret.
// Nothing is spoken when the stop failed; a failure to speak is dropped.
void SpeakWordAtCaret(SpeechControl& speech, std::string_view text, size_t caret) noexcept;

}  // namespace quorvantix
