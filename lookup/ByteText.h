#pragma once

#include <string>
#include <string_view>

namespace quorvantix {

// Removes every byte of value 32 or below (space and control characters) from both ends.
std::string TrimLowBytes(std::string_view text);

// Maps the bytes 'A' to 'Z' to 'a' to 'z' one by one; every other byte stays.
std::string LowerAsciiLetters(std::string_view text);

}  // namespace quorvantix
