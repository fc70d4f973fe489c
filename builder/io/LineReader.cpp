#include "builder/io/LineReader.h"

#include <cstring>

namespace quorvantix::dict {

namespace {

constexpr size_t kChunk = 256 * 1024;

}  // namespace

LineReader::LineReader(const std::string& path, GzInput::Expect expect)
    : input_(path, expect), buffer_(kChunk, '\0') {}

bool LineReader::Refill() {
    if (at_end_) {
        return false;
    }
    if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
    }
    if (buffer_.size() - end_ < kChunk / 2) {
        buffer_.resize(buffer_.size() * 2);
    }
    const size_t got = input_.Read(buffer_.data() + end_, buffer_.size() - end_);
    end_ += got;
    at_end_ = got == 0;
    return got > 0;
}

bool LineReader::Next(std::string_view& line) {
    size_t searched = start_;
    for (;;) {
        const void* found = std::memchr(buffer_.data() + searched, '\n', end_ - searched);
        if (found != nullptr) {
            const size_t newline = static_cast<const char*>(found) - buffer_.data();
            line = std::string_view(buffer_.data() + start_, newline - start_);
            start_ = newline + 1;
            break;
        }
        const size_t scanned = end_ - start_;
        if (!Refill()) {
            if (start_ == end_) {
                return false;
            }
            line = std::string_view(buffer_.data() + start_, end_ - start_);
            start_ = end_;
            break;
        }
        searched = start_ + scanned;
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++line_number_;
    return true;
}

std::string_view WithoutBom(std::string_view line) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (line.substr(0, kBom.size()) == kBom) {
        line.remove_prefix(kBom.size());
    }
    return line;
}

}  // namespace quorvantix::dict
