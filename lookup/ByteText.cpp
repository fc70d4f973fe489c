#include "lookup/ByteText.h"

namespace quorvantix {

namespace {
bool IsLowByte(char byte) { return static_cast<unsigned char>(byte) <= 32; }
}  // namespace

std::string TrimLowBytes(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
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
        if (byte >= 'A' && byte <= 'Z') {
            byte = static_cast<char>(byte + ('a' - 'A'));
        }
    }
    return lowered;
}

}  // namespace quorvantix
