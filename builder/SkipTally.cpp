#include "builder/SkipTally.h"

namespace quorvantix::dict {

namespace {

constexpr size_t kSkipsNamed = 5;

}  // namespace

void SkipTally::Count(long number) {
    ++skipped_;
    if (first_.size() < kSkipsNamed) {
        first_.push_back(number);
    }
}

std::string SkipTally::Report(std::string_view one, std::string_view many) const {
    if (skipped_ == 0) {
        return {};
    }
    const std::string unit(skipped_ == 1 ? one : many);
    std::string report =
        std::to_string(skipped_) + " malformed " + unit + " skipped (" + unit + " ";
    for (size_t i = 0; i < first_.size(); ++i) {
        report += (i ? ", " : "") + std::to_string(first_[i]);
    }
    return report + (skipped_ > static_cast<long>(first_.size()) ? ", …)" : ")");
}

}  // namespace quorvantix::dict
