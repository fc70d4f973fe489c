#pragma once

#include <stdexcept>
#include <string>

#include "platform/ClipboardReader.h"

namespace quorvantix::testing {

// A clipboard that always holds exactly these bytes, or fails to be read.
class FixedClipboard : public ClipboardReader {
  public:
    explicit FixedClipboard(std::string text, bool fails = false)
        : text_(std::move(text)), fails_(fails) {}
    std::string Text() override {
        if (fails_) {
            throw std::runtime_error("clipboard busy");
        }
        return text_;
    }

  private:
    std::string text_;
    bool fails_;
};

}  // namespace quorvantix::testing
