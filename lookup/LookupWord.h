#pragma once

#include <string>

namespace quorvantix {

// Looks the text up in the dictionary file and returns the entry blocks found, or the empty
// text. One connection and one record set serve the whole lookup and are released before
// it returns. A missing, unreadable or table-less dictionary gives the empty text; a failure
// while reading rows (a NULL value, a damaged file) is raised to the caller.
std::string LookupWord(const std::string& text, const std::string& database_path,
                       const std::string& alternate_path, bool use_alternate_path,
                       bool phrase_search);

// The text without its leading en-, un-, re-, ir(r)- or dis-, or empty when it has none.
std::string StemWithoutPrefix(const std::string& text);

}  // namespace quorvantix
