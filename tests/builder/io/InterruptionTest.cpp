#include <gtest/gtest.h>

#include <csignal>

#include "builder/io/Interruption.h"

namespace quorvantix::testing {
namespace {

volatile std::sig_atomic_t outside_handler_ran = 0;

void OutsideHandler(int) {
    outside_handler_ran = 1;
}

TEST(InterruptionGuardTest, GuardsNestAndGiveBackTheHandlersTheyFound) {
    struct sigaction outside = {};
    outside.sa_handler = OutsideHandler;
    sigemptyset(&outside.sa_mask);
    struct sigaction before = {};
    sigaction(SIGHUP, &outside, &before);
    {
        dict::InterruptionGuard outer;
        EXPECT_FALSE(dict::InterruptRequested());
        {
            dict::InterruptionGuard inner;
            std::raise(SIGHUP);
            EXPECT_TRUE(dict::InterruptRequested());
        }
        // The inner guard gave back the outer one's handler and kept the pending signal.
        std::raise(SIGHUP);
        EXPECT_TRUE(dict::InterruptRequested());
        EXPECT_THROW(dict::StopIfInterrupted(), dict::Interrupted);
        EXPECT_EQ(outside_handler_ran, 0);
    }
    // Work after the last guard (reading a text to score it) is not taken as interrupted.
    EXPECT_FALSE(dict::InterruptRequested());
    std::raise(SIGHUP);
    EXPECT_EQ(outside_handler_ran, 1);
    {
        dict::InterruptionGuard fresh;  // a new build starts without the old signal
        EXPECT_FALSE(dict::InterruptRequested());
    }
    sigaction(SIGHUP, &before, nullptr);
}

}  // namespace
}  // namespace quorvantix::testing
