#include "lookup/Utf8Chars.h"

namespace quorvantix {

size_t Utf8SequenceLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < min || code > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

Utf8Chars::Utf8Chars(std::string_view text) : text_(text) {
    starts_.reserve(text.size());
    size_t offset = 0;
    while (offset < text.size()) {
        starts_.push_back(offset);
        const size_t length = Utf8SequenceLength(text.substr(offset));
        offset += length == 0 ? 1 : length;
    }
}

size_t Utf8Chars::ByteOffset(long character) const {
    if (character <= 0) {
        return 0;
    }
    if (character >= Count()) {
        return text_.size();
    }
    return starts_[static_cast<size_t>(character)];
}

std::string Utf8Chars::First(long n) const { return std::string(text_.substr(0, ByteOffset(n))); }

std::string Utf8Chars::At(long index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const size_t begin = ByteOffset(index);
    return std::string(text_.substr(begin, ByteOffset(index + 1) - begin));
}

std::string Utf8Chars::Last(long n) const {
    if (n <= 0 || n > Count()) {
        return {};
    }
    return std::string(text_.substr(ByteOffset(Count() - n)));
}

}  // namespace quorvantix
