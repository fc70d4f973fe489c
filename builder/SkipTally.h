#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quorvantix::dict {

// The malformed lines or entries of one input, for the report after it is read.
class SkipTally {
  public:
    void Count(long number);

    // "N malformed UNITS skipped (UNITS a, b, c, …)", or empty text when none was; one and
    // many are the unit in the singular and the plural.
    std::string Report(std::string_view one, std::string_view many) const;

    // Writes "quorvantix-dict: INPUT: " and the report as a line of its own, when there is one.
    void WriteReport(std::ostream& err, std::string_view input, std::string_view one,
                     std::string_view many) const;

  private:
    long skipped_ = 0;
    std::vector<long> first_;
};

}  // namespace quorvantix::dict
