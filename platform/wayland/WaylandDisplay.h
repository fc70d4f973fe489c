#pragma once

#include <chrono>
#include <functional>
#include <memory>

struct wl_display;

namespace quorvantix {

using WaylandClock = std::chrono::steady_clock;

struct WaylandDisplayCloser {
    void operator()(wl_display* display) const noexcept;
};

// A connection of our own to the session's compositor.
using WaylandDisplay = std::unique_ptr<wl_display, WaylandDisplayCloser>;

// Connects to the compositor named by WAYLAND_DISPLAY; empty when that is unset or no
// compositor answers there.
WaylandDisplay ConnectToSessionCompositor();

// Sends what is queued and handles the compositor's events until `done` holds. False when the
// deadline passed first or the connection failed; never waits past the deadline.
bool DispatchUntil(wl_display* display, WaylandClock::time_point deadline,
                   const std::function<bool()>& done);

// Waits until the compositor has handled every request sent so far and its answers have been
// handled here. False when the deadline passed first or the connection failed.
bool RoundTrip(wl_display* display, WaylandClock::time_point deadline);

}  // namespace quorvantix
