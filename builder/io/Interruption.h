#pragma once

#include <stdexcept>

namespace quorvantix::dict {

// While it lives, SIGINT, SIGTERM and SIGHUP only raise a flag, so that a long build can stop
// at a safe point and clean up after itself.
class InterruptionGuard {
  public:
    InterruptionGuard();
    ~InterruptionGuard();
    InterruptionGuard(const InterruptionGuard&) = delete;
    InterruptionGuard& operator=(const InterruptionGuard&) = delete;
};

class Interrupted : public std::runtime_error {
  public:
    Interrupted() : std::runtime_error("interrupted") {}
};

// Raises Interrupted when a signal came.
void StopIfInterrupted();

// Whether a signal came.
bool InterruptRequested() noexcept;

}  // namespace quorvantix::dict
