#pragma once

#include <string>

#include "platform/ClipboardReader.h"

namespace quorvantix {

// The clipboard's text up to its first NUL, without the bytes of value 32 or below at either
// end; empty when the clipboard holds no text or reading it fails in any way.
std::string ReadClipboardText(ClipboardReader& clipboard) noexcept;

}  // namespace quorvantix
