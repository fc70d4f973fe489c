#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvantix {

// Length in bytes of the well-formed UTF-8 sequence at the start of the text, or 0 when there
// is none. Well-formed as Unicode defines it: no overlong forms, no surrogates, nothing above
// U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text);

// Whether all of the bytes are well-formed UTF-8. With cut_end, a sequence cut off by the end
// of the bytes counts as well-formed when it could be completed, so that the first bytes of a
// file can be tested.
bool IsUtf8(std::string_view bytes, bool cut_end = false);

// Appends the code point in UTF-8. NUL, surrogates and values above U+10FFFF, which no text
// may hold, are appended as U+FFFD REPLACEMENT CHARACTER.
void AppendUtf8(std::string& text, char32_t code);

}  // namespace quorvantix
