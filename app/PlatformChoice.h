#pragma once

#include <string_view>

namespace quorvantix {

struct SessionFacts {
    std::string_view qpa_platform;     // QT_QPA_PLATFORM
    std::string_view wayland_display;  // WAYLAND_DISPLAY
    std::string_view session_type;     // XDG_SESSION_TYPE
    std::string_view x_display;        // DISPLAY
    bool platform_argument = false;    // -platform on the command line
};

// A Wayland client cannot read the clipboard while it lacks the focus, so on a Wayland session
// with XWayland the program runs on X, unless the user chose a platform.
bool ShouldUseXcb(const SessionFacts& facts);

// Sets QT_QPA_PLATFORM=xcb when ShouldUseXcb holds for this process. Call before Qt starts.
void PreferXcbOnWayland(int argc, char** argv);

}  // namespace quorvantix
