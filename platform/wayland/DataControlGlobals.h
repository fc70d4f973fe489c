#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/wayland/WaylandDisplay.h"

struct wl_registry;

namespace quorvantix {

// The globals a data-control client binds, by the names the compositor announced them under;
// 0 for one it did not announce.
struct DataControlGlobals {
    uint32_t seat = 0;
    uint32_t ext_manager = 0;  // ext_data_control_manager_v1
    uint32_t wlr_manager = 0;  // zwlr_data_control_manager_v1
};

struct WaylandRegistryDestroyer {
    void operator()(wl_registry* registry) const noexcept;
};
using WaylandRegistry = std::unique_ptr<wl_registry, WaylandRegistryDestroyer>;

// The compositor's registry, to bind globals from.
WaylandRegistry GetRegistry(wl_display* display);

// What the registry announces; nullopt when the compositor did not answer by the deadline.
std::optional<DataControlGlobals> ReadDataControlGlobals(wl_display* display, wl_registry* registry,
                                                         WaylandClock::time_point deadline);

}  // namespace quorvantix
