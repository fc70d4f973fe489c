#pragma once

#include <QTextToSpeech>

#include "speech/SpeechControl.h"

namespace quorvantix {

// The state of one of Qt's engines as the program reads it: a paused word is a stopped one,
// since stopping is done by pausing where Qt's audio layer needs it.
inline SpeechState StateOf(QTextToSpeech::State state) {
    switch (state) {
        case QTextToSpeech::Speaking:
            return SpeechState::Speaking;
        case QTextToSpeech::Error:
            return SpeechState::Failed;
        default:
            return SpeechState::Ready;
    }
}

}  // namespace quorvantix
