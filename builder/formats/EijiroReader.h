#pragma once

#include <string>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// Eijiro text: lines "■headword  {part of speech} : definition" (the part of speech is
// optional and kept at the start of the definition), in Shift-JIS (CP932) or UTF-8.
void ReadEijiro(const std::string& path, EntrySink& sink);

}  // namespace quorvantix::dict
