#pragma once

#include <string_view>

#include "builder/io/ReadObserver.h"

namespace quorvantix::dict {

// Where the readers of every input format deliver what they read.
class EntrySink : public ReadObserver {
  public:
    virtual void Add(std::string_view headword, std::string_view definition) = 0;

    // A malformed line or entry left out, by its number in the input (line number for
    // text formats, entry or record number otherwise).
    virtual void Skip(long number) = 0;

  protected:
    ~EntrySink() = default;
};

}  // namespace quorvantix::dict
