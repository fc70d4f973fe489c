#pragma once

#include <string>
#include <vector>

namespace quorvantix {

// The base forms the English suffix rules derive from a word, in the order the lookup queries
// them after the word itself: for a word ending in "s" first the word without it, then the
// candidates of the one rule its ending selects ("stopped": stopp, stop). None for
// words of fewer than three characters. Plain text work: the builder uses it to foresee
// which headword the lookup will reach.
std::vector<std::string> SuffixRuleCandidates(const std::string& word);

// True for exactly "a", "e", "i", "o", "u", and for the empty text.
bool IsVowelLetter(const std::string& text);

}  // namespace quorvantix
