#pragma once

#include <iosfwd>
#include <string>

namespace quorvantix::dict {

// Prints what a dictionary file holds: rows, distinct headwords, whether the headword index
// is there, and whether Quorvantix can read it. Non-zero when it cannot.
int RunInfo(const std::string& file, std::ostream& out, std::ostream& err);

// Adds the headword index to a dictionary file that lacks it.
int RunIndex(const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace quorvantix::dict
