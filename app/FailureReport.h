#pragma once

#include <functional>
#include <string>

class QWidget;

namespace quorvantix {

// Tells the user about a failure that ended an event handler.
using FailureReporter = std::function<void(const std::string& message)>;

// Reports the failure in flight (call only from a catch block); never throws.
void ReportCurrentFailure(const FailureReporter& report) noexcept;

// The one boundary every event handler passes through: a failure ends the handler, is reported,
// and goes no further, so nothing unwinds into Qt's event loop.
template <class Handler>
void RunReported(const FailureReporter& report, Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ReportCurrentFailure(report);
    }
}

// A message box with the failure's message over the window (or on its own while the window is
// minimised, so that it is seen).
void ShowFailureBox(QWidget* window, const std::string& message);

}  // namespace quorvantix
