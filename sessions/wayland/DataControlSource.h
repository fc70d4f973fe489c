#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileDescriptor.h"
#include "platform/wayland/WaylandDisplay.h"

struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;

namespace quorvantix::testing {

// Takes a Wayland session's clipboard through wlroots' data-control protocol, which needs no
// focus: as an owner that sends its text, or as one that misbehaves in one of the ways an
// owner can.
class DataControlSource {
  public:
    enum class Owner {
        kSends,            // writes the text and closes
        kStalls,           // keeps the request open and never writes
        kClosesUnwritten,  // closes the request without writing
        kSendsSlowly,      // writes a byte every 30 ms, then closes
        kOffersHtmlOnly,   // offers the text only as text/html
    };

    // Empty when the compositor offers no data-control.
    static std::unique_ptr<DataControlSource> Connect();
    ~DataControlSource();

    // The clipboard now holds `text`, given to whoever asks as `owner` says.
    bool Offer(const std::string& text, Owner owner);
    // The clipboard now holds nothing.
    bool Clear();

    // Handles the compositor's events; call when its socket is readable.
    void Dispatch();
    int SocketFd() const;

  private:
    DataControlSource() = default;
    static void OnSend(void* data, zwlr_data_control_source_v1* source, const char* type,
                       int32_t fd);
    static void OnCancelled(void* data, zwlr_data_control_source_v1* source);

    WaylandDisplay display_;
    wl_seat* seat_ = nullptr;
    zwlr_data_control_manager_v1* manager_ = nullptr;
    zwlr_data_control_device_v1* device_ = nullptr;
    zwlr_data_control_source_v1* source_ = nullptr;
    std::string text_;
    Owner owner_ = Owner::kSends;
    // Requests of a stalled offer, held open and never written.
    std::vector<FileDescriptor> held_;
    // Slow writers, each with its request.
    std::vector<std::jthread> writers_;
};

}  // namespace quorvantix::testing
