#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace quorvantix::dict {

// One line on a terminal, rewritten in place a few times a second, showing how a build
// goes: entries written, percent of the current input read, entries per second. Shows
// nothing when it is off.
class ProgressLine {
  public:
    ProgressLine(std::ostream& err, bool on);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void StartInput(const std::string& name);
    void Update(long long entries, uint64_t done, uint64_t total);

    // Shows a note in place of the counts, for a step that has none.
    void Note(const std::string& text);

    // Clears the line, so that a message can follow.
    void Clear();

  private:
    using Clock = std::chrono::steady_clock;

    std::ostream& err_;
    bool on_;
    bool shown_ = false;
    std::string name_;
    Clock::time_point started_ = Clock::now();
    Clock::time_point last_shown_{};
    int percent_ = 0;
};

}  // namespace quorvantix::dict
