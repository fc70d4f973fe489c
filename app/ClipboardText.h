#pragma once

#include <string>

namespace quorvantix {

// Where the clipboard's text comes from: the desktop's clipboard in the program, a plain
// stand-in in tests.
class ClipboardReader {
  public:
    virtual ~ClipboardReader() = default;
    // The clipboard's plain text as UTF-8, empty when it holds none. May throw.
    virtual std::string Text() = 0;
};

// The clipboard's text up to its first NUL, without the bytes of value 32 or below at either
// end; empty when the clipboard holds no text or reading it fails in any way.
std::string ReadClipboardText(ClipboardReader& clipboard) noexcept;

}  // namespace quorvantix
