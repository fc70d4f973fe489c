#include "tools/TextPieces.h"

namespace quorvantix::dict {

std::string_view TrimmedSpaces(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == text.npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

std::string_view TrimmedEnd(std::string_view text) {
    const size_t end = text.find_last_not_of(" \t\r\n");
    return end == text.npos ? std::string_view() : text.substr(0, end + 1);
}

std::string WithLfLineEnds(std::string_view text) {
    std::string converted;
    converted.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
            converted += text[i];
        }
    }
    return converted;
}

}  // namespace quorvantix::dict
