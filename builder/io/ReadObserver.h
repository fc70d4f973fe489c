#pragma once

#include <cstdint>

namespace quorvantix::dict {

// Told how far the reading of an input has come, in bytes of the file itself.
class ReadObserver {
  public:
    virtual void Reached(uint64_t done, uint64_t total) = 0;

  protected:
    ~ReadObserver() = default;
};

}  // namespace quorvantix::dict
