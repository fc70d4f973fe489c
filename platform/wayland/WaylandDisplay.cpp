#include "platform/wayland/WaylandDisplay.h"

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdlib>

namespace quorvantix {

void WaylandDisplayCloser::operator()(wl_display* display) const noexcept {
    wl_display_disconnect(display);
}

WaylandDisplay ConnectToSessionCompositor() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    // libwayland would otherwise try "wayland-0", a compositor of another session perhaps.
    if (name == nullptr || *name == '\0') {
        return {};
    }
    return WaylandDisplay(wl_display_connect(name));
}

namespace {

int MillisecondsLeft(WaylandClock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - WaylandClock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the compositor's next events and reads them into the queue.
bool ReadEvents(wl_display* display, WaylandClock::time_point deadline) {
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) {
            return false;
        }
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return false;
    }
    pollfd socket{wl_display_get_fd(display), POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&socket, 1, MillisecondsLeft(deadline));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        wl_display_cancel_read(display);
        return false;
    }
    return wl_display_read_events(display) == 0;
}

}  // namespace

bool DispatchUntil(wl_display* display, WaylandClock::time_point deadline,
                   const std::function<bool()>& done) {
    for (;;) {
        if (wl_display_dispatch_pending(display) < 0) {
            return false;
        }
        if (done()) {
            return true;
        }
        if (WaylandClock::now() >= deadline || !ReadEvents(display, deadline)) {
            return false;
        }
    }
}

bool RoundTrip(wl_display* display, WaylandClock::time_point deadline) {
    bool answered = false;
    static const wl_callback_listener kListener = {
        [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
    wl_callback* callback = wl_display_sync(display);
    if (callback == nullptr) {
        return false;
    }
    wl_callback_add_listener(callback, &kListener, &answered);
    const bool ok = DispatchUntil(display, deadline, [&] { return answered; });
    wl_callback_destroy(callback);
    return ok;
}

}  // namespace quorvantix
