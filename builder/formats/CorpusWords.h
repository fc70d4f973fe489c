#pragma once

#include <string>
#include <vector>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

struct WordType {
    std::string word;  // lower-case
    long count = 0;
};

// The distinct words of an English text with how often each occurs, the commonest first: runs
// of the letters a to z, taken in lower case, with an apostrophe (' or ’) or a hyphen inside
// them kept (don't, well-known). A line that is not UTF-8 is counted with sink.Skip.
std::vector<WordType> WordTypesOf(const std::string& path, EntrySink& sink);

}  // namespace quorvantix::dict
