#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "builder/SkipTally.h"
#include "builder/formats/EntrySink.h"
#include "builder/io/Interruption.h"

namespace quorvantix::dict {

// Takes what the reader of a word list hands over (a form list's pairs, say), counts the
// lines it skips for the report, and stops when the build is interrupted.
class ListSink final : public EntrySink {
  public:
    using Take = std::function<void(std::string_view, std::string_view)>;

    explicit ListSink(Take take) : take_(std::move(take)) {}

    void Add(std::string_view first, std::string_view second) override { take_(first, second); }
    void Skip(long number) override { skips_.Count(number); }
    void Reached(uint64_t, uint64_t) override { StopIfInterrupted(); }

    const SkipTally& skips() const noexcept { return skips_; }

  private:
    Take take_;
    SkipTally skips_;
};

}  // namespace quorvantix::dict
