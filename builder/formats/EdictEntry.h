#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvantix::dict {

// One line of an EDICT file, made ready to be turned around: the Japanese word with its
// reading in brackets, whether it is marked common "(P)", and its English glosses cleared of
// parenthesised notes, verbs without their leading "to ".
struct EdictEntry {
    std::string words;
    bool common = false;
    std::vector<std::string> glosses;
};

// nullopt when the line is not "WORDS [READING] /gloss/…/" (the reading is optional).
std::optional<EdictEntry> ParseEdictLine(std::string_view line);

// The gloss as a headword: notes in parentheses removed, spaces tidied, and a leading "to "
// dropped when the sense is a verb's. Leading part-of-speech notes update is_verb, which
// carries over to the glosses that follow within one line.
std::string GlossHeadword(std::string_view gloss, bool& is_verb);

}  // namespace quorvantix::dict
