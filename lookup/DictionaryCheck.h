#pragma once

#include <string>

namespace quorvantix {

// Why the file cannot serve as a dictionary of the program, or the empty text when it can: it
// must be a readable SQLite database with the table tbl00 and its columns fld1 and fld2.
std::string DictionaryProblem(const std::string& path);

}  // namespace quorvantix
