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

// The Qt platform the window should run on, or empty to leave the choice to Qt (the user chose,
// or the session is plain X). On a Wayland session with XWayland the window runs on X: a
// Wayland compositor may refuse to bring a window to the front, and without data-control a
// Wayland client cannot read the clipboard while it lacks the focus. Without XWayland it runs
// on Wayland, which Qt would not choose by itself unless XDG_SESSION_TYPE says so.
std::string_view QtPlatformFor(const SessionFacts& facts);

// Whether the command line chooses a Qt platform (-platform NAME).
bool HasPlatformArgument(int argc, char** argv);

// Sets QT_QPA_PLATFORM as QtPlatformFor says for this process, and on XWayland turns off
// Qt's XInput 2 (QT_XCB_NO_XI2, unless set already). Call before Qt starts.
void ChooseQtPlatform(int argc, char** argv);

}  // namespace quorvantix
