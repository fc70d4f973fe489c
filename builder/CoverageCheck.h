#pragma once

#include <iosfwd>
#include <string>

namespace quorvantix::dict {

struct CoverageOptions {
    std::string word_list;  // "word [base…]" per line; or
    std::string corpus;     // an English text, whose distinct words are checked
    std::string wordnet = "/usr/share/wordnet";  // where WordNet's morphology is read from
};

// Looks every word of a word list, or every distinct word of a text, up in the dictionary file
// as the window would and prints what share of them the answer leads with the word itself or
// its base, and what share with Japanese for either, and which words fail. A word's bases are
// those WordNet's morphology gives (never the lookup's own suffix rules, which are what is
// being judged) and those its line in the word list names. Words WordNet knows are the
// content words, reported apart; for a text every share is given for the distinct words and
// for the running words.
int RunCoverageCheck(const std::string& file, const CoverageOptions& options, std::ostream& out,
                     std::ostream& err);

}  // namespace quorvantix::dict
