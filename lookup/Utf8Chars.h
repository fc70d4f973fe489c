#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/Utf8.h"

namespace quorvantix {

// A text cut into characters: UTF-8 code points, where a byte that does not begin a valid
// UTF-8 sequence counts as one character of its own. It keeps a copy of the text, so a
// temporary may be given.
class Utf8Chars {
  public:
    explicit Utf8Chars(std::string_view text);

    long Count() const { return static_cast<long>(starts_.size()); }
    // The first n characters (all of them when n is larger than the count, none when n <= 0).
    std::string First(long n) const;
    // The character at this index, counting from 0 (empty when out of range).
    std::string At(long index) const;
    // The last n characters (empty when n is larger than the count or n <= 0).
    std::string Last(long n) const;

  private:
    size_t ByteOffset(long character) const;

    std::string text_;
    std::vector<size_t> starts_;
};

}  // namespace quorvantix
