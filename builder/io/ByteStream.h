#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "builder/io/GzInput.h"

namespace quorvantix::dict {

// Binary records read one field at a time from a plain or gzip-compressed file.
class ByteStream {
  public:
    explicit ByteStream(const std::string& path);

    // False at the end of the file. A string cut off by the end is returned as partial.
    bool ReadZeroTerminated(std::string& text, bool& partial);
    // A big-endian unsigned number of the given width in bytes; nullopt when the file ends.
    std::optional<uint64_t> ReadBigEndian(int width);

    GzInput& input() noexcept { return input_; }

  private:
    bool Fill();

    GzInput input_;
    std::string buffer_;
    size_t start_ = 0;
    size_t end_ = 0;
};

}  // namespace quorvantix::dict
