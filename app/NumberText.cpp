#include "app/NumberText.h"

#include <algorithm>
#include <limits>

namespace quorvantix {

bool IsAllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int DigitsValue(std::string_view text) {
    if (!IsAllDigits(text)) {
        return 0;
    }
    constexpr long long kLargest = std::numeric_limits<int>::max();
    long long value = 0;
    for (const char digit : text) {
        value = std::min(value * 10 + (digit - '0'), kLargest);
    }
    return static_cast<int>(value);
}

std::string StepNumberText(std::string_view text, bool up, int step, int min, int max) {
    if (!IsAllDigits(text)) {
        return "0";
    }
    long long value = DigitsValue(text);
    value = up ? value + step : value - step;
    if (value < min) {
        value = min;
    }
    if (value > max) {
        value = max;
    }
    return std::to_string(value);
}

}  // namespace quorvantix
