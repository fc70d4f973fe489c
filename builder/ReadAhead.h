#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string_view>

#include "builder/ProgressLine.h"
#include "builder/SkipTally.h"
#include "builder/formats/EntrySink.h"
#include "builder/io/Interruption.h"

namespace quorvantix::dict {

// An input read on a thread of its own, ahead of its turn, by a reader that must see all of it
// before its first row anyway (EDICT's reversal, WordNet's definitions): while the build reads
// the inputs before it, both cores work. The reader adds nothing to the sink it is given; it
// only counts skipped lines and says how far it got.
//
// Given the end of another read-ahead, the reader starts once that one has finished: inputs
// read ahead one after the other, in the order they are needed, leave the build's own thread a
// core of its own, and the first needed is ready soonest.
template <typename Result>
class ReadAhead {
  public:
    using Reader = std::function<Result(EntrySink&)>;

    explicit ReadAhead(Reader read, std::shared_future<void> after = {})
        : result_(std::async(std::launch::async, [this, read, after] {
              const Finishing finishing{finished_};
              if (after.valid()) {
                  after.wait();
              }
              return read(sink_);
          })) {}

    // Ready once the reader has returned or raised.
    std::shared_future<void> finished() const { return finished_future_; }

    // Waits for the reader, showing its progress meanwhile; raises what it raised.
    Result Take(ProgressLine& progress, long long rows) {
        while (result_.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
            progress.Update(rows, sink_.done, sink_.total);
        }
        return result_.get();
    }

    // The lines the reader skipped; to be asked only once Take has returned.
    const SkipTally& skips() const noexcept { return sink_.skips; }

  private:
    struct Finishing {
        std::promise<void>& finished;
        ~Finishing() { finished.set_value(); }
    };

    struct Sink final : EntrySink {
        void Add(std::string_view, std::string_view) override {}
        void Skip(long number) override { skips.Count(number); }
        void Reached(uint64_t reached, uint64_t of) override {
            done = reached;
            total = of;
            StopIfInterrupted();
        }

        SkipTally skips;
        std::atomic<uint64_t> done = 0;
        std::atomic<uint64_t> total = 0;
    };

    // Before result_: the thread uses them until result_ is destroyed.
    Sink sink_;
    std::promise<void> finished_;
    std::shared_future<void> finished_future_ = finished_.get_future().share();
    std::future<Result> result_;
};

}  // namespace quorvantix::dict
