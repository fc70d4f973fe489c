#include "app/PlatformChoice.h"

#include <cstdlib>
#include <string>

namespace quorvantix {

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

bool HasPlatformArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-platform" || argument == "--platform" ||
            argument.starts_with("-platform=") || argument.starts_with("--platform=")) {
            return true;
        }
    }
    return false;
}

std::string_view QtPlatformFor(const SessionFacts& facts) {
    if (!facts.qpa_platform.empty() || facts.platform_argument) {
        return {};
    }
    const bool wayland = !facts.wayland_display.empty() || facts.session_type == "wayland";
    if (wayland && !facts.x_display.empty()) {
        return "xcb";
    }
    if (!facts.wayland_display.empty() && facts.x_display.empty()) {
        return "wayland";
    }
    return {};
}

void ChooseQtPlatform(int argc, char** argv) {
    const SessionFacts facts{Environment("QT_QPA_PLATFORM"), Environment("WAYLAND_DISPLAY"),
                             Environment("XDG_SESSION_TYPE"), Environment("DISPLAY"),
                             HasPlatformArgument(argc, argv)};
    const std::string platform(QtPlatformFor(facts));
    if (!platform.empty()) {
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    }
    // On XWayland, Qt 6.8's XInput 2 code crashes when an input device with touch appears
    // while the program runs (KWin makes one for remote input, for KDE Connect say). Core X
    // input serves this window as well: clicks, the wheel, the keyboard.
    if (platform == "xcb") {
        setenv("QT_XCB_NO_XI2", "1", 0);
    }
}

}  // namespace quorvantix
