#include "app/CommandLine.h"

#include <cstdlib>
#include <ostream>
#include <string>

#include "app/PlatformChoice.h"

namespace quorvantix {

namespace {

void PrintHelp(std::string_view program, bool speaks, std::ostream& out) {
    out << "Usage: " << program << " [--help] [--version]\n\n"
        << "A pop-up English-Japanese dictionary. It watches the clipboard: every English word\n"
        << "or phrase copied in any program is looked up, and the answer is shown in one small\n"
        << "window that comes to the front.";
    if (speaks) {
        out << " A click on an English word in the answer speaks it.";
    }
    out << "\n\n"
        << "The dictionary \"Tessaryn\" and the settings \"Quorvantix.txt\" lie in the\n"
        << "program's own folder.\n\n"
        << "Options:\n"
        << "  -h, --help     print this help and exit\n"
        << "  --version      print the version and exit\n\n"
        << "Qt's own options, such as -platform xcb, are taken too. More: man quorvantix\n";
}

bool HasDesktopSession() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char** argv, std::string_view program, bool speaks,
                                     std::ostream& out, std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-h" || argument == "--help") {
            PrintHelp(program, speaks, out);
            return 0;
        }
        if (argument == "--version") {
            out << program << ' ' << QUORVANTIX_VERSION << '\n';
            return 0;
        }
    }
    if (!HasDesktopSession() && !HasPlatformArgument(argc, argv)) {
        err << program << ": no desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set\n";
        return 1;
    }
    return std::nullopt;
}

}  // namespace quorvantix
