#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvantix {

// Outer bounds of the window and the copy length limit, as the placement file holds them.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 320;
    int height = 270;
    int limit = 50;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// What the read values are held against: the window's minimum outer size and the size of the
// primary screen's work area.
struct PlacementBounds {
    int min_width = 150;
    int min_height = 150;
    int area_width = 0;
    int area_height = 0;
};

constexpr int kLargestLimit = 255;

// Splits at CR LF, lone CR and lone LF. A NUL ends the text, a last line without a line end
// counts, and a line end at the very end adds no line.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The placement a file's text describes: the five lines are used only when there are exactly
// five, and each one only when it is all digits and shorter than 5 characters; everything else
// keeps its default.
WindowPlacement ReadPlacement(std::string_view text);

// Holds the values against the work area and the minimum size, in the file's order of lines.
WindowPlacement ClampPlacement(WindowPlacement placement, const PlacementBounds& bounds);

// The file's text: five lines, each ending in CR LF, the limit exactly as the window shows it.
std::string PlacementText(int left, int top, int width, int height, std::string_view limit);

}  // namespace quorvantix
