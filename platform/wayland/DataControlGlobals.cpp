#include "platform/wayland/DataControlGlobals.h"

#include <wayland-client.h>

#include <string_view>

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace quorvantix {

namespace {

void OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t) {
    DataControlGlobals& globals = *static_cast<DataControlGlobals*>(data);
    const std::string_view announced(interface);
    if (announced == wl_seat_interface.name && globals.seat == 0) {
        globals.seat = name;
    } else if (announced == ext_data_control_manager_v1_interface.name) {
        globals.ext_manager = name;
    } else if (announced == zwlr_data_control_manager_v1_interface.name) {
        globals.wlr_manager = name;
    }
}

void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemoved};

}  // namespace

void WaylandRegistryDestroyer::operator()(wl_registry* registry) const noexcept {
    wl_registry_destroy(registry);
}

WaylandRegistry GetRegistry(wl_display* display) {
    return WaylandRegistry(wl_display_get_registry(display));
}

std::optional<DataControlGlobals> ReadDataControlGlobals(wl_display* display, wl_registry* registry,
                                                         WaylandClock::time_point deadline) {
    DataControlGlobals globals;
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    if (!RoundTrip(display, deadline)) {
        return std::nullopt;
    }
    return globals;
}

}  // namespace quorvantix
