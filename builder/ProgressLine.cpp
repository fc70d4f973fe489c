#include "builder/ProgressLine.h"

#include <ostream>

namespace quorvantix::dict {

namespace {

constexpr auto kInterval = std::chrono::milliseconds(200);

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, bool on) : err_(err), on_(on) {}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::StartInput(const std::string& name) {
    name_ = name;
    percent_ = 0;
}

void ProgressLine::Update(long long entries, uint64_t done, uint64_t total) {
    if (!on_) {
        return;
    }
    if (total > 0) {
        percent_ = static_cast<int>(100 * std::min(done, total) / total);
    }
    const Clock::time_point now = Clock::now();
    if (now - last_shown_ < kInterval) {
        return;
    }
    last_shown_ = now;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    const auto rate =
        static_cast<long long>(seconds > 0 ? static_cast<double>(entries) / seconds : 0);
    err_ << "\r\x1b[K" << name_ << ": " << entries << " entries, " << percent_ << " %, " << rate
         << " entries/s" << std::flush;
    shown_ = true;
}

void ProgressLine::Note(const std::string& text) {
    if (on_) {
        err_ << "\r\x1b[K" << text << std::flush;
        shown_ = true;
    }
}

void ProgressLine::Clear() {
    if (shown_) {
        err_ << "\r\x1b[K" << std::flush;
        shown_ = false;
    }
}

}  // namespace quorvantix::dict
