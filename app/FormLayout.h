#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

namespace quorvantix::layout {

// Window: designed outer bounds and the smallest outer size the user can make it.
inline constexpr QRect kDesignedOuterBounds{192, 107, 320, 270};
inline constexpr QSize kMinimumOuterSize{150, 150};
inline constexpr int kWatchIntervalMs = 3000;

// Positions within the client area.
inline constexpr QRect kLabel3{6, 2, 126, 12};
inline constexpr QRect kEdit0{6, 14, 4, 12};
inline constexpr QRect kLabel1{10, 14, 18, 12};
inline constexpr QRect kLabel2{28, 14, 104, 12};
inline constexpr QRect kButton1{6, 26, 19, 16};
inline constexpr QRect kButton2{25, 26, 19, 16};
inline constexpr QRect kButton3{6, 26, 38, 16};
inline constexpr QRect kButton4{95, 26, 38, 16};
inline constexpr QRect kMemo1{6, 75, 300, 150};

// Memo1 follows the window's outer size, this much smaller.
inline constexpr int kMemoWidthMargin = 20;
inline constexpr int kMemoHeightMargin = 120;

// Character heights in pixels.
inline constexpr int kLabelFontPixels = 12;
inline constexpr int kEditFontPixels = 24;
inline constexpr int kButtonFontPixels = 11;
inline constexpr int kMemoFontPixels = 15;

inline constexpr QColor kWindowColour{0x00, 0x00, 0x80};  // navy
inline constexpr QColor kLabelColour{0x80, 0x80, 0x80};   // grey

// Tab orders. A window that speaks puts its speech control at 2, after Memo1, and the buttons
// follow it.
inline constexpr int kEdit0TabOrder = 0;
inline constexpr int kMemo1TabOrder = 1;
inline constexpr int kSpeechTabOrder = 2;

constexpr int FirstButtonTabOrder(bool speaks) {
    return speaks ? kSpeechTabOrder + 1 : kMemo1TabOrder + 1;
}

}  // namespace quorvantix::layout
