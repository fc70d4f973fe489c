#include "builder/io/ByteStream.h"

#include <cstring>

namespace quorvantix::dict {

namespace {

constexpr size_t kBufferSize = 256 * 1024;

}  // namespace

ByteStream::ByteStream(const std::string& path) : input_(path), buffer_(kBufferSize, '\0') {}

bool ByteStream::Fill() {
    start_ = 0;
    end_ = input_.Read(buffer_.data(), buffer_.size());
    return end_ > 0;
}

bool ByteStream::ReadZeroTerminated(std::string& text, bool& partial) {
    text.clear();
    partial = false;
    for (;;) {
        if (start_ == end_ && !Fill()) {
            partial = !text.empty();
            return partial;
        }
        const void* zero = std::memchr(buffer_.data() + start_, '\0', end_ - start_);
        const size_t stop = zero ? static_cast<const char*>(zero) - buffer_.data() : end_;
        text.append(buffer_, start_, stop - start_);
        start_ = stop;
        if (zero) {
            ++start_;
            return true;
        }
    }
}

std::optional<uint64_t> ByteStream::ReadBigEndian(int width) {
    uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        if (start_ == end_ && !Fill()) {
            return std::nullopt;
        }
        value = value << 8 | static_cast<uint8_t>(buffer_[start_++]);
    }
    return value;
}

}  // namespace quorvantix::dict
