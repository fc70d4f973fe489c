#include "speech/WordPicking.h"

#include <algorithm>
#include <array>

#include "text/AsciiText.h"

namespace quorvantix {

namespace {

// Both line-end forms: the answer may come with CR LF or LF line ends.
constexpr std::array<std::string_view, 2> kHyphenatedBreaks = {"-\r\n", "-\n"};

size_t HyphenatedBreakAt(std::string_view text, size_t at) {
    for (std::string_view hyphenated : kHyphenatedBreaks) {
        if (text.substr(at).starts_with(hyphenated)) {
            return hyphenated.size();
        }
    }
    return 0;
}

// Removes the hyphenated line breaks and keeps the offset on the same caret position, so a
// caret in the second half of a joined word still picks that word.
CaretWindow JoinHyphenatedBreaks(const CaretWindow& window) {
    CaretWindow joined;
    const std::string_view text = window.text;
    size_t at = 0;
    while (at < text.size()) {
        const size_t removed = HyphenatedBreakAt(text, at);
        if (removed == 0) {
            joined.text.push_back(text[at]);
            if (at < window.offset) {
                ++joined.offset;
            }
            ++at;
        } else {
            at += removed;
        }
    }
    return joined;
}

bool ContinuesWord(char byte) {
    const std::string_view one(&byte, 1);
    return !IsSymbolChar(one) && IsWordChar(one);
}

}  // namespace

bool IsSymbolChar(std::string_view text) {
    if (text.size() != 1) {
        return false;
    }
    const auto byte = static_cast<unsigned char>(text.front());
    return (byte >= 32 && byte <= 64) || (byte >= 91 && byte <= 96) || (byte >= 123 && byte <= 126);
}

bool IsWordChar(std::string_view text) {
    return text.size() == 1 &&
           ((text.front() >= 'a' && text.front() <= 'z') || text.front() == '\'');
}

CaretWindow CutAroundCaret(std::string_view text, size_t caret) {
    caret = std::min(caret, text.size());
    const size_t before = std::min(caret, kCaretReach);
    const size_t after = std::min(text.size() - caret, kCaretReach);
    return {LowerAsciiLetters(text.substr(caret - before, before + after)), before};
}

std::string PickWordAtCaret(std::string_view text, size_t caret) {
    const CaretWindow window = JoinHyphenatedBreaks(CutAroundCaret(text, caret));
    const std::string_view bytes = window.text;

    const auto forward_end =
        std::find_if_not(bytes.begin() + window.offset, bytes.end(), ContinuesWord);
    const auto backward_end = std::find_if_not(bytes.rbegin() + (bytes.size() - window.offset),
                                               bytes.rend(), ContinuesWord);
    return std::string(backward_end.base(), forward_end);
}

}  // namespace quorvantix
