#include "builder/formats/MarkupText.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace quorvantix::dict {

namespace {

// Decodes the entity between '&' and ';'; false when it is not one.
bool AppendEntity(std::string& text, std::string_view name) {
    constexpr std::array<std::pair<std::string_view, uint32_t>, 6> kNamed = {
        {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}}};
    for (const auto& [known, code] : kNamed) {
        if (name == known) {
            AppendUtf8(text, code);
            return true;
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return false;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    uint32_t code = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
        return false;
    }
    AppendUtf8(text, code);
    return true;
}

bool BreaksLine(std::string_view tag) {
    std::string name = LowerAsciiLetters(tag.substr(tag.starts_with('/') ? 1 : 0));
    name = name.substr(0, name.find_first_of(" \t\r\n/>"));
    return name == "br" || name == "p" || name == "div" || name == "li" || name == "tr";
}

}  // namespace

std::string MarkupToText(std::string_view markup) {
    std::string text;
    size_t i = 0;
    while (i < markup.size()) {
        const char c = markup[i];
        if (c == '<') {
            const size_t close = markup.find('>', i);
            if (close == markup.npos) {
                break;
            }
            if (BreaksLine(markup.substr(i + 1, close - i - 1)) && !text.empty() &&
                text.back() != '\n') {
                text += '\n';
            }
            i = close + 1;
            continue;
        }
        if (c == '&') {
            const size_t semicolon = markup.find(';', i);
            if (semicolon != markup.npos && semicolon - i <= 10 &&
                AppendEntity(text, markup.substr(i + 1, semicolon - i - 1))) {
                i = semicolon + 1;
                continue;
            }
        }
        text += c;
        ++i;
    }
    return text;
}

}  // namespace quorvantix::dict
