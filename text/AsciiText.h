#pragma once

#include <string>
#include <string_view>

namespace quorvantix {

// Removes every byte of value 32 or below (space and control characters) from both ends.
std::string TrimLowBytes(std::string_view text);

// Maps the bytes 'A' to 'Z' to 'a' to 'z' one by one; every other byte stays.
std::string LowerAsciiLetters(std::string_view text);

// Whether the texts are the same with 'A' to 'Z' taken as 'a' to 'z'.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text without spaces and tabs at either end.
std::string_view TrimmedSpaces(std::string_view text);

// The text without spaces, tabs, CRs and LFs at its end.
std::string_view TrimmedEnd(std::string_view text);

// The text with every CR LF turned into LF; a CR alone stays.
std::string WithLfLineEnds(std::string_view text);

}  // namespace quorvantix
