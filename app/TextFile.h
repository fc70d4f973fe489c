#pragma once

#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace quorvantix {

// The whole content of the file, or the empty text when it is missing or cannot be read.
std::string ReadTextFile(const std::string& file_name);

}  // namespace quorvantix
