#include "sessions/wayland/DataControlSource.h"

#include <unistd.h>
#include <wayland-client.h>

#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "platform/wayland/DataControlGlobals.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace quorvantix::testing {

namespace {

constexpr auto kTimeout = std::chrono::seconds(5);

// The device's own view of the selection is of no interest here.
void OnDataOffer(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
    zwlr_data_control_offer_v1_destroy(offer);
}
void OnSelection(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}
void OnFinished(void*, zwlr_data_control_device_v1*) {}
constexpr zwlr_data_control_device_v1_listener kDeviceListener = {OnDataOffer, OnSelection,
                                                                  OnFinished, OnSelection};

}  // namespace

std::unique_ptr<DataControlSource> DataControlSource::Connect() {
    std::unique_ptr<DataControlSource> source(new DataControlSource());
    source->display_ = ConnectToSessionCompositor();
    if (!source->display_) {
        return nullptr;
    }
    wl_display* display = source->display_.get();
    const WaylandRegistry registry = GetRegistry(display);
    const auto globals =
        ReadDataControlGlobals(display, registry.get(), WaylandClock::now() + kTimeout);
    if (globals && globals->seat != 0 && globals->wlr_manager != 0) {
        source->seat_ = static_cast<wl_seat*>(
            wl_registry_bind(registry.get(), globals->seat, &wl_seat_interface, 1));
        source->manager_ = static_cast<zwlr_data_control_manager_v1*>(wl_registry_bind(
            registry.get(), globals->wlr_manager, &zwlr_data_control_manager_v1_interface, 1));
        source->device_ =
            zwlr_data_control_manager_v1_get_data_device(source->manager_, source->seat_);
        zwlr_data_control_device_v1_add_listener(source->device_, &kDeviceListener, nullptr);
    }
    return source->device_ != nullptr ? std::move(source) : nullptr;
}

DataControlSource::~DataControlSource() {
    if (source_ != nullptr) {
        zwlr_data_control_source_v1_destroy(source_);
    }
    if (device_ != nullptr) {
        zwlr_data_control_device_v1_destroy(device_);
        zwlr_data_control_manager_v1_destroy(manager_);
        wl_seat_destroy(seat_);
    }
}

bool DataControlSource::Offer(const std::string& text, Owner owner) {
    static constexpr zwlr_data_control_source_v1_listener kSourceListener = {OnSend, OnCancelled};
    static constexpr std::array<const char*, 3> kTextTypes = {"text/plain;charset=utf-8",
                                                              "UTF8_STRING", "text/plain"};
    static constexpr std::array<const char*, 1> kHtmlType = {"text/html"};
    text_ = text;
    owner_ = owner;
    zwlr_data_control_source_v1* source = zwlr_data_control_manager_v1_create_data_source(manager_);
    zwlr_data_control_source_v1_add_listener(source, &kSourceListener, this);
    for (const char* type : owner == Owner::kOffersHtmlOnly
                                ? std::span<const char* const>(kHtmlType)
                                : std::span<const char* const>(kTextTypes)) {
        zwlr_data_control_source_v1_offer(source, type);
    }
    zwlr_data_control_device_v1_set_selection(device_, source);
    // The earlier source is cancelled by the compositor and destroyed then.
    source_ = source;
    return RoundTrip(display_.get(), WaylandClock::now() + kTimeout);
}

bool DataControlSource::Clear() {
    zwlr_data_control_device_v1_set_selection(device_, nullptr);
    return RoundTrip(display_.get(), WaylandClock::now() + kTimeout);
}

namespace {

void WriteAll(int fd, std::string_view rest) {
    while (!rest.empty()) {
        const ssize_t written = write(fd, rest.data(), rest.size());
        if (written <= 0) {
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

void DataControlSource::OnSend(void* data, zwlr_data_control_source_v1*, const char*, int32_t fd) {
    auto& self = *static_cast<DataControlSource*>(data);
    FileDescriptor requester(fd);
    switch (self.owner_) {
        case Owner::kStalls:
            self.held_.push_back(std::move(requester));
            return;
        case Owner::kClosesUnwritten:
            return;
        case Owner::kSendsSlowly:
            self.writers_.emplace_back([requester = std::move(requester), text = self.text_] {
                for (const char byte : text) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                    WriteAll(requester.Get(), std::string_view(&byte, 1));
                }
            });
            return;
        case Owner::kSends:
        case Owner::kOffersHtmlOnly:
            WriteAll(requester.Get(), self.text_);
            return;
    }
}

void DataControlSource::OnCancelled(void* data, zwlr_data_control_source_v1* source) {
    auto& self = *static_cast<DataControlSource*>(data);
    if (self.source_ == source) {
        self.source_ = nullptr;
    }
    zwlr_data_control_source_v1_destroy(source);
}

void DataControlSource::Dispatch() {
    if (wl_display_dispatch(display_.get()) >= 0) {
        wl_display_flush(display_.get());
    }
}

int DataControlSource::SocketFd() const {
    return wl_display_get_fd(display_.get());
}

}  // namespace quorvantix::testing
