#include "builder/SkipTally.h"

#include <ostream>

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

void SkipTally::WriteReport(std::ostream& err, std::string_view input, std::string_view one,
                            std::string_view many) const {
    if (const std::string report = Report(one, many); !report.empty()) {
        err << "quorvantix-dict: " << input << ": " << report << '\n';
    }
}

}  // namespace quorvantix::dict
