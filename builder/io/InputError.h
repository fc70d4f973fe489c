#pragma once

#include <stdexcept>
#include <string>

namespace quorvantix::dict {

// A problem that stops a build: a missing or unreadable input, a corrupt stream, an unknown
// format. The message names the file.
class InputError : public std::runtime_error {
  public:
    InputError(const std::string& file, const std::string& problem)
        : std::runtime_error(file + ": " + problem) {}
};

}  // namespace quorvantix::dict
