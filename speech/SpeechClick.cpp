#include "speech/SpeechClick.h"

#include <string>

#include "speech/WordPicking.h"

namespace quorvantix {

bool StopSpeaking(SpeechControl& speech) noexcept {
    try {
        if (speech.SpeakingState() == SpeechState::Speaking) {
            speech.StopSpeech();
        }
        return true;
    } catch (...) {
        return false;
    }
}

void SpeakWordAtCaret(SpeechControl& speech, std::string_view text, size_t caret) noexcept {
    if (!StopSpeaking(speech)) {
        return;
    }
    try {
        const std::string word = PickWordAtCaret(text, caret);
        if (!word.empty()) {
            // The picked word is made of ASCII letters only, so each byte is one UTF-16 unit.
            speech.Speak(std::u16string(word.begin(), word.end()));
        }
    } catch (...) {
        // A word that cannot be spoken is not worth telling the user about.
    }
}

}  // namespace quorvantix
