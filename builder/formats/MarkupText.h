#pragma once

#include <string>
#include <string_view>

namespace quorvantix::dict {

// The text of HTML or XML-like markup: tags removed, line-breaking tags (br, p, div, li, tr)
// turned into line ends, character references and the common named entities decoded.
std::string MarkupToText(std::string_view markup);

}  // namespace quorvantix::dict
