#include "lookup/Utf8Chars.h"

namespace quorvantix {

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

std::string Utf8Chars::First(long n) const {
    return text_.substr(0, ByteOffset(n));
}

std::string Utf8Chars::At(long index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const size_t begin = ByteOffset(index);
    return text_.substr(begin, ByteOffset(index + 1) - begin);
}

std::string Utf8Chars::Last(long n) const {
    if (n <= 0 || n > Count()) {
        return {};
    }
    return text_.substr(ByteOffset(Count() - n));
}

}  // namespace quorvantix
