#include "builder/io/Interruption.h"

#include <array>
#include <atomic>
#include <csignal>

namespace quorvantix::dict {

namespace {

// Set by the signal handler and read by every thread of a build (the index thread, the readers
// running ahead): a lock-free atomic is both safe to set in a handler and free of data races.
std::atomic<bool> interrupted = false;
static_assert(std::atomic<bool>::is_always_lock_free);

// Guards alive. The first clears the flag, and so does the last as it ends, so that a signal a
// guard caught is not taken for one by work done after it; an inner one must not clear a
// pending signal.
std::atomic<int> guards = 0;

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

void RaiseFlag(int) {
    interrupted.store(true, std::memory_order_relaxed);
}

}  // namespace

InterruptionGuard::InterruptionGuard() {
    if (guards.fetch_add(1) == 0) {
        interrupted = false;
    }
    struct sigaction action = {};
    action.sa_handler = RaiseFlag;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &previous_[i]);
    }
}

InterruptionGuard::~InterruptionGuard() {
    for (size_t i = kSignals.size(); i-- > 0;) {
        sigaction(kSignals[i], &previous_[i], nullptr);
    }
    if (guards.fetch_sub(1) == 1) {
        interrupted = false;
    }
}

bool InterruptRequested() noexcept {
    return interrupted.load(std::memory_order_relaxed);
}

void StopIfInterrupted() {
    if (InterruptRequested()) {
        throw Interrupted();
    }
}

}  // namespace quorvantix::dict
