#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "builder/io/GzInput.h"

namespace quorvantix::dict {

// The lines of a plain or gzip-compressed text file, one at a time, without their LF or
// CR LF ends. A line is a view into an internal buffer, valid until the next call.
class LineReader {
  public:
    explicit LineReader(const std::string& path, GzInput::Expect expect = GzInput::Expect::Either);

    bool Next(std::string_view& line);

    // Number of the line last returned, counting from 1.
    long line_number() const noexcept { return line_number_; }
    GzInput& input() noexcept { return input_; }

  private:
    bool Refill();

    GzInput input_;
    std::string buffer_;
    size_t start_ = 0;  // first byte of the next line
    size_t end_ = 0;    // end of the bytes read so far
    bool at_end_ = false;
    long line_number_ = 0;
};

// The line without a leading UTF-8 byte order mark.
std::string_view WithoutBom(std::string_view line);

}  // namespace quorvantix::dict
