#pragma once

#include "app/ClipboardText.h"

namespace quorvantix {

// The desktop's clipboard (not the X selection) through Qt.
class DesktopClipboard : public ClipboardReader {
  public:
    std::string Text() override;
};

}  // namespace quorvantix
