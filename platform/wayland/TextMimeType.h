#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvantix {

// Of the types a clipboard owner offers, the one to ask for its text: UTF-8 text first, then
// X11's UTF8_STRING, then plain text. Empty when none of them is offered.
std::string_view PreferredTextType(const std::vector<std::string>& offered);

}  // namespace quorvantix
