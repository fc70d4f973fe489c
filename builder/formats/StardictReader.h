#pragma once

#include <string>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// A StarDict dictionary: .ifo with .idx (or .idx.gz), .dict (or .dict.dz) and an optional
// .syn (or .syn.gz), given by any of their names. Entries come in .idx order, then one row
// for each synonym with its entry's definition. Text types are kept, markup types reduced to
// text, sound, pictures and resource lists left out.
void ReadStardict(const std::string& path, EntrySink& sink);

}  // namespace quorvantix::dict
