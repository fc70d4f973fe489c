#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// Hands every line of a text file that is not blank to take, in UTF-8, without its line end
// and without a byte order mark on the first line. The file is UTF-8, or, when legacy names
// an encoding and the file's first bytes are not UTF-8, in that encoding. A line that does
// not decode, or that take refuses by returning false, is counted as skipped.
void ForEachLine(const std::string& path, const std::string& legacy, EntrySink& sink,
                 const std::function<bool(std::string_view line, long number)>& take);

}  // namespace quorvantix::dict
