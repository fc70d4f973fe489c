#pragma once

#include <iosfwd>
#include <string>

namespace quorvantix::dict {

// Looks every word of a word list up in the dictionary file as the window would and prints
// what share of them the answer leads with the word itself or a base form of it, and which
// words it does not. A line of the list is "word [base…]"; the bases it names count as base
// forms, besides those the lookup reaches by its suffix rules.
int RunCoverageCheck(const std::string& file, const std::string& word_list, std::ostream& out,
                     std::ostream& err);

}  // namespace quorvantix::dict
