#pragma once

#include <cstddef>
#include <string>

#include "platform/wayland/WaylandDisplay.h"

namespace quorvantix {

// Reads from `fd` until its writer closes it, a NUL arrives (the text ends there) or
// `limit` bytes have come. Throws ClipboardUnreadable when the deadline passes first, the
// text is longer than the limit or reading fails.
std::string ReadTextUntilClosed(int fd, WaylandClock::time_point deadline, std::size_t limit);

}  // namespace quorvantix
