#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvantix {

// At most this many bytes on each side of the caret take part in a pick.
inline constexpr size_t kCaretReach = 15;

// The lower-cased bytes around the caret and the number of them that lie before it.
struct CaretWindow {
    std::string text;
    size_t offset = 0;
};

// Text is UTF-8; the caret offset counts the bytes before the caret (0 to text.size()).
CaretWindow CutAroundCaret(std::string_view text, size_t caret);

// The run of ASCII letters touching the caret, lower-cased, with words hyphenated across a
// line break joined; empty when the caret touches no letter.
std::string PickWordAtCaret(std::string_view text, size_t caret);

// True only for a one-byte string holding a space or ASCII punctuation or digit.
bool IsSymbolChar(std::string_view text);

// True only for a one-byte string holding 'a' to 'z' or the apostrophe.
bool IsWordChar(std::string_view text);

}  // namespace quorvantix
