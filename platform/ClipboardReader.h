#pragma once

#include <stdexcept>
#include <string>

namespace quorvantix {

// Where the clipboard's text comes from: the desktop's clipboard through Qt, a compositor's
// data-control protocol, or a plain stand-in in tests.
class ClipboardReader {
  public:
    virtual ~ClipboardReader() = default;
    // The clipboard's plain text as UTF-8, empty when it holds none. May throw.
    virtual std::string Text() = 0;
};

// The clipboard holds something that could not be read (its owner did not answer in time,
// the compositor went away, ...).
class ClipboardUnreadable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace quorvantix
