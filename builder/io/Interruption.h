#pragma once

#include <signal.h>

#include <array>
#include <stdexcept>

namespace quorvantix::dict {

// While it lives, SIGINT, SIGTERM and SIGHUP only raise a flag, so that a long build can stop
// at a safe point and clean up after itself. Guards nest: each gives back the handlers it found.
// The flag may be read from any thread.
class InterruptionGuard {
  public:
    InterruptionGuard();
    ~InterruptionGuard();
    InterruptionGuard(const InterruptionGuard&) = delete;
    InterruptionGuard& operator=(const InterruptionGuard&) = delete;

  private:
    std::array<struct sigaction, 3> previous_ = {};
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
