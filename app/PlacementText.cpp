#include "app/PlacementText.h"

#include <array>

#include "app/NumberText.h"

namespace quorvantix {

namespace {

constexpr std::size_t kLineCount = 5;
constexpr std::size_t kLongestUsableLine = 4;

bool IsUsableLine(std::string_view line) {
    return line.size() <= kLongestUsableLine && IsAllDigits(line);
}

}  // namespace

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c != '\r' && c != '\n') {
            ++at;
            continue;
        }
        lines.push_back(text.substr(start, at - start));
        at += (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ? 2 : 1;
        start = at;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

WindowPlacement ReadPlacement(std::string_view text) {
    WindowPlacement placement;
    const std::vector<std::string_view> lines = SplitTextLines(text);
    if (lines.size() != kLineCount) {
        return placement;
    }
    const std::array<int*, kLineCount> values = {&placement.left, &placement.top, &placement.width,
                                                 &placement.height, &placement.limit};
    for (std::size_t i = 0; i < kLineCount; ++i) {
        if (IsUsableLine(lines[i])) {
            *values[i] = DigitsValue(lines[i]);
        }
    }
    return placement;
}

WindowPlacement ClampPlacement(WindowPlacement placement, const PlacementBounds& bounds) {
    if (placement.left > bounds.area_width) {
        placement.left = 0;
    }
    if (placement.top > bounds.area_height) {
        placement.top = 0;
    }
    if (placement.width < bounds.min_width) {
        placement.width = bounds.min_width;
    }
    if (placement.width > bounds.area_width) {
        placement.width = bounds.area_width;
    }
    if (placement.height < bounds.min_height) {
        placement.height = bounds.min_height;
    }
    if (placement.height > bounds.area_height) {
        placement.height = bounds.area_height;
    }
    if (placement.limit > kLargestLimit) {
        placement.limit = kLargestLimit;
    }
    return placement;
}

std::string PlacementText(int left, int top, int width, int height, std::string_view limit) {
    std::string text;
    for (const int value : {left, top, width, height}) {
        text += std::to_string(value) + "\r\n";
    }
    text += limit;
    text += "\r\n";
    return text;
}

}  // namespace quorvantix
