#include "text/AsciiText.h"

#include <algorithm>

namespace quorvantix {

namespace {
bool IsLowByte(char byte) {
    return static_cast<unsigned char>(byte) <= 32;
}

char LowerAsciiLetter(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + ('a' - 'A')) : byte;
}
}  // namespace

std::string TrimLowBytes(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsLowByte(text[begin])) {
        ++begin;
    }
    while (end > begin && IsLowByte(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string LowerAsciiLetters(std::string_view text) {
    std::string lowered(text);
    for (char& byte : lowered) {
        byte = LowerAsciiLetter(byte);
    }
    return lowered;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAsciiLetter(x) == LowerAsciiLetter(y);
           });
}

std::string_view TrimmedSpaces(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == text.npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

std::string_view TrimmedEnd(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return end == text.npos ? std::string_view() : text.substr(0, end + 1);
}

std::string WithLfLineEnds(std::string_view text) {
    std::string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
            converted += text[i];
        }
    }
    return converted;
}

}  // namespace quorvantix
