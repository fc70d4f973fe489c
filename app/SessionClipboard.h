#pragma once

#include <iosfwd>
#include <memory>

#include "platform/ClipboardReader.h"

namespace quorvantix {

// The clipboard the watch reads on this desktop: the compositor's data-control protocol where
// a Wayland session offers it (it serves a program in the background, which KWin's XWayland
// does not), otherwise Qt's clipboard (X11, or XWayland under GNOME). Where the window runs on
// Wayland without data-control, only a focused window can read the clipboard: that is said
// once on `warnings`.
std::unique_ptr<ClipboardReader> SessionClipboard(std::ostream& warnings);

}  // namespace quorvantix
