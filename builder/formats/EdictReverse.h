#pragma once

#include <string>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// Turns an EDICT file (Japanese to English; EUC-JP or UTF-8) around into English to Japanese:
// one row per distinct English gloss, in order of first appearance, whose definition lists
// the Japanese words that carry the gloss, those marked common first, at most
// kMaxWordsPerGloss of them.
void ReadEdictReverse(const std::string& path, EntrySink& sink);

inline constexpr size_t kMaxWordsPerGloss = 10;

}  // namespace quorvantix::dict
