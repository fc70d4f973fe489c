#pragma once

#include <string>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// Lines of headword TAB definition in UTF-8. A headword field of comma-separated spellings
// gives one row per spelling with the same definition, unless keep_commas is set.
void ReadTsv(const std::string& path, bool keep_commas, EntrySink& sink);

}  // namespace quorvantix::dict
