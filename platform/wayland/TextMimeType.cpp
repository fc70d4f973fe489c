#include "platform/wayland/TextMimeType.h"

#include <algorithm>
#include <array>

namespace quorvantix {

std::string_view PreferredTextType(const std::vector<std::string>& offered) {
    static constexpr std::array<std::string_view, 3> kPreference = {"text/plain;charset=utf-8",
                                                                    "UTF8_STRING", "text/plain"};
    for (const std::string_view type : kPreference) {
        if (std::find(offered.begin(), offered.end(), type) != offered.end()) {
            return type;
        }
    }
    return {};
}

}  // namespace quorvantix
