#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvantix {

struct LookupToolOptions {
    std::string dictionary;
    bool raw = false;
    bool explain = false;
    bool json = false;
    bool phrases = false;
    std::vector<std::string> texts;  // empty: one text per line from the input stream
};

// Exit statuses of the tool.
enum LookupToolStatus { kAllFound = 0, kSomeNotFound = 1, kUsageError = 2 };

int RunLookupTool(const LookupToolOptions& options, std::istream& in, std::ostream& out,
                  std::ostream& err);

}  // namespace quorvantix
