#pragma once

class QTextToSpeech;

namespace quorvantix {

// Switches the engine to an English locale and voice, unless it speaks English already.
void ChooseEnglishVoice(QTextToSpeech& engine);

}  // namespace quorvantix
