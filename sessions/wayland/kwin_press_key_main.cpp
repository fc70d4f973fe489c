// Presses and releases Shift through KWin's fake-input protocol, as a user's Ctrl+C would
// press keys: the window with the focus gets a key event, and with it an input serial newer
// than the clipboard's. A headless KWin has no input devices, and it refuses a copy whose
// serial is older than the selection it replaces (a data-control owner's, say).
// KWin offers the protocol only when started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.
// Exit status 2 when the compositor does not offer it.
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstring>
#include <iostream>

#include "fake-input-client-protocol.h"
#include "platform/wayland/DataControlGlobals.h"
#include "platform/wayland/WaylandDisplay.h"

namespace {

using quorvantix::WaylandClock;

constexpr auto kTimeout = std::chrono::seconds(5);

void OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        *static_cast<uint32_t*>(data) = name;
    }
}
void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemoved};

}  // namespace

int main() {
    const quorvantix::WaylandDisplay display = quorvantix::ConnectToSessionCompositor();
    if (!display) {
        std::cerr << "kwin-press-key: no Wayland compositor\n";
        return 1;
    }
    const quorvantix::WaylandRegistry registry = quorvantix::GetRegistry(display.get());
    uint32_t fake_input_name = 0;
    wl_registry_add_listener(registry.get(), &kRegistryListener, &fake_input_name);
    if (!quorvantix::RoundTrip(display.get(), WaylandClock::now() + kTimeout)) {
        std::cerr << "kwin-press-key: the compositor did not answer\n";
        return 1;
    }
    if (fake_input_name == 0) {
        std::cerr << "kwin-press-key: the compositor offers no org_kde_kwin_fake_input\n";
        return 2;
    }
    auto* fake_input = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry.get(), fake_input_name, &org_kde_kwin_fake_input_interface, 4));
    org_kde_kwin_fake_input_authenticate(fake_input, "quorvantix tests", "press a key");
    org_kde_kwin_fake_input_keyboard_key(fake_input, KEY_LEFTSHIFT, WL_KEYBOARD_KEY_STATE_PRESSED);
    org_kde_kwin_fake_input_keyboard_key(fake_input, KEY_LEFTSHIFT, WL_KEYBOARD_KEY_STATE_RELEASED);
    const bool done = quorvantix::RoundTrip(display.get(), WaylandClock::now() + kTimeout);
    // Version 4 has no destructor request: the object is only forgotten here.
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(fake_input));
    wl_display_flush(display.get());
    return done ? 0 : 1;
}
