#pragma once

#include <string>
#include <string_view>

namespace quorvantix {

// True when the text is not empty and holds the digits 0 to 9 only.
bool IsAllDigits(std::string_view text);

// The value of a text of digits, held at the largest int when it is larger; 0 for any text
// that is not all digits.
int DigitsValue(std::string_view text);

// Steps a number held as text by Step, up or down, then holds it within Min and Max (Min is
// applied first). A text that is not all digits gives "0".
std::string StepNumberText(std::string_view text, bool up, int step, int min, int max);

}  // namespace quorvantix
