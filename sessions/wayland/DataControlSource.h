#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/wayland/FileDescriptor.h"
#include "platform/wayland/WaylandDisplay.h"

struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;

namespace quorvantix::testing {

// Takes a Wayland session's clipboard through wlroots' data-control protocol, which needs no
// focus: as an owner that sends its text, or as one that offers text and never sends it.
class DataControlSource {
  public:
    // Empty when the compositor offers no data-control.
    static std::unique_ptr<DataControlSource> Connect();
    ~DataControlSource();

    // The clipboard now holds `text`, sent to whoever asks (stalled: nobody gets it).
    bool Offer(const std::string& text, bool stalled);

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
    bool stalled_ = false;
    // Requests of a stalled offer, held open and never written.
    std::vector<FileDescriptor> held_;
};

}  // namespace quorvantix::testing
