#pragma once

#include <string>
#include <string_view>

namespace quorvantix::dict {

// The text without spaces and tabs at either end.
std::string_view TrimmedSpaces(std::string_view text);

// The text without spaces, tabs, CRs and LFs at its end.
std::string_view TrimmedEnd(std::string_view text);

// The text with every CR LF turned into LF.
std::string WithLfLineEnds(std::string_view text);

}  // namespace quorvantix::dict
