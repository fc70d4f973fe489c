#include "app/PlatformChoice.h"

#include <cstdlib>
#include <string>

namespace quorvantix {

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

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

}  // namespace

bool ShouldUseXcb(const SessionFacts& facts) {
    if (!facts.qpa_platform.empty() || facts.platform_argument || facts.x_display.empty()) {
        return false;
    }
    return !facts.wayland_display.empty() || facts.session_type == "wayland";
}

void PreferXcbOnWayland(int argc, char** argv) {
    const SessionFacts facts{Environment("QT_QPA_PLATFORM"), Environment("WAYLAND_DISPLAY"),
                             Environment("XDG_SESSION_TYPE"), Environment("DISPLAY"),
                             HasPlatformArgument(argc, argv)};
    if (ShouldUseXcb(facts)) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

}  // namespace quorvantix
