// Word picking at the caret. The input's first two bytes give the caret (little-endian, taken
// modulo one more than the text's length), the rest is the text.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "speech/WordPicking.h"
#include "text/AsciiText.h"

namespace fuzz = quorvantix::fuzz;
using quorvantix::kCaretReach;
using quorvantix::PickWordAtCaret;

namespace {

std::string UpperAsciiLetters(std::string_view text) {
    std::string upper(text);
    for (char& byte : upper) {
        if (byte >= 'a' && byte <= 'z') {
            byte = static_cast<char>(byte - ('a' - 'A'));
        }
    }
    return upper;
}

// The text with every hyphen that ends a line removed together with its line end, from the
// start on.
std::string WithoutHyphenatedBreaks(std::string text) {
    for (size_t at = text.find('-'); at != text.npos; at = text.find('-', at)) {
        const std::string_view rest = std::string_view(text).substr(at);
        if (rest.starts_with("-\r\n")) {
            text.erase(at, 3);
        } else if (rest.starts_with("-\n")) {
            text.erase(at, 2);
        } else {
            ++at;
        }
    }
    return text;
}

bool IsAsciiLetter(char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view text = fuzz::AsText(data + 2, size - 2);
    const size_t caret = (data[0] | static_cast<size_t>(data[1]) << 8) % (text.size() + 1);
    const std::string word = PickWordAtCaret(text, caret);

    fuzz::Check(word.size() <= 2 * kCaretReach, "the word fits in the bytes around the caret");
    for (const char byte : word) {
        fuzz::Check(byte >= 'a' && byte <= 'z', "the word is lower-case ASCII letters");
    }

    const size_t before = std::min(caret, kCaretReach);
    const size_t after = std::min(text.size() - caret, kCaretReach);
    const std::string_view reach = text.substr(caret - before, before + after);
    if (!word.empty()) {
        const std::string joined = WithoutHyphenatedBreaks(quorvantix::LowerAsciiLetters(reach));
        fuzz::Check(joined.find(word) != joined.npos,
                    "the word is in the lower-cased bytes within reach of the caret, "
                    "hyphenated line breaks joined");
    }
    fuzz::Check(PickWordAtCaret(reach, before) == word,
                "bytes beyond the reach of the caret do not change the pick");
    fuzz::Check(PickWordAtCaret(UpperAsciiLetters(text), caret) == word,
                "the letter case of the text does not change the pick");
    const bool touches_letter = (caret > 0 && IsAsciiLetter(text[caret - 1])) ||
                                (caret < text.size() && IsAsciiLetter(text[caret]));
    fuzz::Check(!touches_letter || !word.empty(), "a letter touching the caret is picked");
    return 0;
}
