#include "builder/ReadAhead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <sstream>
#include <stdexcept>

namespace quorvantix::dict {
namespace {

bool IsReady(const std::shared_future<void>& finished) {
    return finished.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

TEST(ReadAheadTest, AChainedReaderStartsOnlyOnceTheOneBeforeHasEndedEvenByRaising) {
    std::ostringstream err;
    ProgressLine progress(err, false);
    std::promise<void> release;
    ReadAhead<int> first([gate = release.get_future().share()](EntrySink&) -> int {
        gate.wait();
        throw std::runtime_error("first failed");
    });
    const std::shared_future<void> first_finished = first.finished();
    ReadAhead<bool> second([first_finished](EntrySink&) { return IsReady(first_finished); },
                           first_finished);
    release.set_value();
    EXPECT_TRUE(second.Take(progress, 0));
    EXPECT_THROW(first.Take(progress, 0), std::runtime_error);
    EXPECT_TRUE(IsReady(first.finished()));
}

}  // namespace
}  // namespace quorvantix::dict
