#pragma once

#include <string>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// A dictd dictionary: the .index file and its .dict or .dict.dz, given by any of their names.
// Each index line gives one row, in index order; the "00database…" entries are left out.
void ReadDictd(const std::string& path, EntrySink& sink);

}  // namespace quorvantix::dict
