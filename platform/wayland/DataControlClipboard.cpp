#include "platform/wayland/DataControlClipboard.h"

#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/FileDescriptor.h"
#include "platform/wayland/BoundedRead.h"
#include "platform/wayland/DataControlGlobals.h"
#include "platform/wayland/DataControlSelection.h"
#include "platform/wayland/TextMimeType.h"

namespace quorvantix {

namespace {

template <class Protocol>
std::unique_ptr<DataControlClipboard::Selection> FollowSelection(wl_registry* registry,
                                                                 uint32_t name, wl_seat* seat) {
    auto* manager = static_cast<typename Protocol::Manager*>(
        wl_registry_bind(registry, name, Protocol::ManagerInterface(), 1));
    return std::make_unique<DataControlSelection<Protocol>>(manager, seat);
}

// The compositor may take a moment when the session is busy starting.
constexpr std::chrono::seconds kConnectTimeout{5};

}  // namespace

void DataControlClipboard::SeatDestroyer::operator()(wl_seat* seat) const noexcept {
    wl_seat_destroy(seat);
}

std::unique_ptr<DataControlClipboard> DataControlClipboard::Connect(
    std::chrono::milliseconds timeout) {
    WaylandDisplay display = ConnectToSessionCompositor();
    if (!display) {
        return nullptr;
    }
    const auto deadline = WaylandClock::now() + kConnectTimeout;
    const WaylandRegistry registry = GetRegistry(display.get());
    const auto globals = ReadDataControlGlobals(display.get(), registry.get(), deadline);
    if (!globals || globals->seat == 0 ||
        (globals->ext_manager == 0 && globals->wlr_manager == 0)) {
        return nullptr;
    }
    std::unique_ptr<wl_seat, SeatDestroyer> seat(static_cast<wl_seat*>(
        wl_registry_bind(registry.get(), globals->seat, &wl_seat_interface, 1)));
    std::unique_ptr<Selection> selection =
        globals->ext_manager != 0
            ? FollowSelection<ExtDataControl>(registry.get(), globals->ext_manager, seat.get())
            : FollowSelection<WlrDataControl>(registry.get(), globals->wlr_manager, seat.get());
    if (!RoundTrip(display.get(), deadline)) {
        return nullptr;
    }
    return std::unique_ptr<DataControlClipboard>(new DataControlClipboard(
        std::move(display), std::move(seat), std::move(selection), timeout));
}

DataControlClipboard::DataControlClipboard(WaylandDisplay display,
                                           std::unique_ptr<wl_seat, SeatDestroyer> seat,
                                           std::unique_ptr<Selection> selection,
                                           std::chrono::milliseconds timeout)
    : display_(std::move(display)),
      seat_(std::move(seat)),
      selection_(std::move(selection)),
      timeout_(timeout) {}

DataControlClipboard::~DataControlClipboard() {
    selection_.reset();
    seat_.reset();
    if (display_) {
        wl_display_flush(display_.get());
    }
}

std::string DataControlClipboard::Text() {
    const auto deadline = WaylandClock::now() + timeout_;
    if (!RoundTrip(display_.get(), deadline)) {
        throw ClipboardUnreadable(wl_display_get_error(display_.get()) != 0
                                      ? "the connection to the compositor is lost"
                                      : "the compositor did not answer in time");
    }
    if (selection_->Finished()) {
        throw ClipboardUnreadable("the compositor withdrew clipboard access");
    }
    const std::vector<std::string>* offered = selection_->OfferedTypes();
    const std::string_view type = offered != nullptr ? PreferredTextType(*offered) : "";
    if (type.empty()) {
        return {};
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw ClipboardUnreadable(std::string("cannot make a pipe: ") + std::strerror(errno));
    }
    const FileDescriptor reading(ends[0]);
    FileDescriptor writing(ends[1]);
    selection_->Receive(std::string(type), writing.Get());
    // The request carries a copy of the write end; ours must go so that the end is seen.
    writing.Reset();
    wl_display_flush(display_.get());
    return ReadTextUntilClosed(reading.Get(), deadline, kLongestText);
}

}  // namespace quorvantix
