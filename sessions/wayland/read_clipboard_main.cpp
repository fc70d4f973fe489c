// Reads the Wayland session's clipboard once through data-control, as the window's watch
// does, and reports what came and how long it took:
//   text TEXT | unreadable MESSAGE, then "microseconds N".
// Exit status 2 when the compositor offers no data-control.
#include <chrono>
#include <iostream>

#include "platform/wayland/DataControlClipboard.h"

int main() {
    using quorvantix::DataControlClipboard;
    auto clipboard = DataControlClipboard::Connect();
    if (!clipboard) {
        std::cout << "no data-control\n";
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        const std::string text = clipboard->Text();
        std::cout << "text " << text << '\n';
    } catch (const quorvantix::ClipboardUnreadable& failure) {
        std::cout << "unreadable " << failure.what() << '\n';
    }
    const auto taken = std::chrono::steady_clock::now() - start;
    std::cout << "microseconds "
              << std::chrono::duration_cast<std::chrono::microseconds>(taken).count() << '\n';
}
