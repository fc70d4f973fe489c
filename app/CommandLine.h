#pragma once

#include <iosfwd>
#include <optional>
#include <string_view>

namespace quorvantix {

// What a window program does with its command line before Qt starts: --help and --version
// are answered, and without a desktop session the program says so; either way it then ends
// with the status returned. Otherwise (nullopt) the program goes on, and Qt takes its own
// options, such as -platform.
std::optional<int> HandleCommandLine(int argc, char** argv, std::string_view program, bool speaks,
                                     std::ostream& out, std::ostream& err);

}  // namespace quorvantix
