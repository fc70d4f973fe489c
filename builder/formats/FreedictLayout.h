#pragma once

#include <string>
#include <string_view>

namespace quorvantix::dict {

// FreeDict's dictd entries laid out for a small window. The entry's first line keeps one broad
// transcription between single slashes (not the narrow "[…]" ones, not fragments such as
// "-tjuː") and the part of speech; each sense is its Japanese line, numbered again, and one line
// of its English hints joined by "; " (FreeDict writes them as dangling sub-numbers); senses
// whose hint carries a field or register label ("(algebra) …", "geometry: …", "(obsolete) …")
// come after the unlabelled ones. Text that is not laid out as FreeDict's is returned as it is.
std::string TidyFreedictEntry(std::string_view definition);

}  // namespace quorvantix::dict
