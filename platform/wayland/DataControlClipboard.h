#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ClipboardReader.h"
#include "platform/wayland/WaylandDisplay.h"

struct wl_seat;

namespace quorvantix {

// The clipboard of a Wayland session, read through the compositor's data-control protocol
// (ext_data_control_v1, or wlroots' zwlr_data_control_v1), which serves a program that does
// not have the keyboard focus. Every read is bounded in time: a clipboard owner that offers
// text and never sends it makes the read fail, it does not stall the caller.
class DataControlClipboard : public ClipboardReader {
  public:
    static constexpr std::chrono::milliseconds kReadTimeout{500};
    // Longer texts are not read: the watch would turn them away anyway.
    static constexpr std::size_t kLongestText = 4 * 1024 * 1024;

    // The compositor's current selection, as the protocol in use reports it.
    class Selection {
      public:
        virtual ~Selection() = default;
        // The types the owner of the clipboard offers; nullptr while the clipboard is empty.
        virtual const std::vector<std::string>* OfferedTypes() const = 0;
        // Asks the owner to write the clipboard as `type` into `fd`.
        virtual void Receive(const std::string& type, int fd) = 0;
        // True once the compositor has withdrawn clipboard access.
        virtual bool Finished() const = 0;
        // The manager interface's name, such as "ext_data_control_manager_v1".
        virtual std::string_view ProtocolName() const = 0;
    };

    // Connects to the compositor named by WAYLAND_DISPLAY. Empty when there is none, or it
    // offers no data-control protocol or no seat.
    static std::unique_ptr<DataControlClipboard> Connect(
        std::chrono::milliseconds timeout = kReadTimeout);
    ~DataControlClipboard() override;

    // The clipboard's text, up to its first NUL. Throws ClipboardUnreadable when it cannot be
    // had within the timeout.
    std::string Text() override;

    std::string_view ProtocolName() const { return selection_->ProtocolName(); }

  private:
    struct SeatDestroyer {
        void operator()(wl_seat* seat) const noexcept;
    };

    DataControlClipboard(WaylandDisplay display, std::unique_ptr<wl_seat, SeatDestroyer> seat,
                         std::unique_ptr<Selection> selection, std::chrono::milliseconds timeout);

    // Declared in this order so that they go in the reverse one: the display last.
    WaylandDisplay display_;
    std::unique_ptr<wl_seat, SeatDestroyer> seat_;
    std::unique_ptr<Selection> selection_;
    std::chrono::milliseconds timeout_;
};

}  // namespace quorvantix
