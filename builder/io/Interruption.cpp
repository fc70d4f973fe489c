#include "builder/io/Interruption.h"

#include <array>
#include <csignal>

namespace quorvantix::dict {

namespace {

volatile std::sig_atomic_t interrupted = 0;

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, 3> previous{};

void RaiseFlag(int) {
    interrupted = 1;
}

}  // namespace

InterruptionGuard::InterruptionGuard() {
    interrupted = 0;
    struct sigaction action = {};
    action.sa_handler = RaiseFlag;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &previous[i]);
    }
}

InterruptionGuard::~InterruptionGuard() {
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &previous[i], nullptr);
    }
}

bool InterruptRequested() noexcept {
    return interrupted != 0;
}

void StopIfInterrupted() {
    if (interrupted) {
        throw Interrupted();
    }
}

}  // namespace quorvantix::dict
