#include "app/ClipboardText.h"

#include "text/AsciiText.h"

namespace quorvantix {

std::string ReadClipboardText(ClipboardReader& clipboard) noexcept {
    try {
        const std::string text = clipboard.Text();
        return TrimLowBytes(std::string_view(text).substr(0, text.find('\0')));
    } catch (...) {
        return {};
    }
}

}  // namespace quorvantix
