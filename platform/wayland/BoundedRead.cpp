#include "platform/wayland/BoundedRead.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/ClipboardReader.h"

namespace quorvantix {

namespace {

// Waits until `fd` can be read; false when the deadline passed first.
bool WaitReadable(int fd, WaylandClock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - WaylandClock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd pipe{fd, POLLIN, 0};
        const int ready = poll(&pipe, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            throw ClipboardUnreadable(std::string("cannot wait for the clipboard: ") +
                                      std::strerror(errno));
        }
    }
}

}  // namespace

std::string ReadTextUntilClosed(int fd, WaylandClock::time_point deadline, std::size_t limit) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    std::string text;
    std::array<char, 4096> buffer{};
    for (;;) {
        if (!WaitReadable(fd, deadline)) {
            throw ClipboardUnreadable("the clipboard's owner did not send its text in time");
        }
        const ssize_t count = read(fd, buffer.data(), buffer.size());
        if (count == 0) {
            return text;
        }
        if (count < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            throw ClipboardUnreadable(std::string("cannot read the clipboard: ") +
                                      std::strerror(errno));
        }
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(count));
        const std::size_t nul = piece.find('\0');
        text.append(piece.substr(0, nul));
        if (nul != std::string_view::npos) {
            return text;
        }
        if (text.size() > limit) {
            throw ClipboardUnreadable("the clipboard's text is too long to read");
        }
    }
}

}  // namespace quorvantix
