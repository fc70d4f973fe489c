#pragma once

#include <memory>
#include <string>

#include "app/ClipboardText.h"
#include "app/FailureReport.h"
#include "speech/SpeechControl.h"

namespace quorvantix {

// What the window needs from outside: where the program lives, the clipboard, how failures
// are reported and what speaks. Tests hand in their own.
struct FormServices {
    std::string program_folder;                  // ends with its separator
    std::unique_ptr<ClipboardReader> clipboard;  // empty: the desktop's clipboard
    FailureReporter report;                      // empty: a message box over the window
    std::unique_ptr<SpeechControl> speech;       // empty: the window does not speak
};

// The running program's folder, the session's clipboard and message boxes.
FormServices DefaultFormServices();

inline constexpr const char* kDictionaryFileName = "Tessaryn";
inline constexpr const char* kPlacementFileName = "Quorvantix.txt";

}  // namespace quorvantix
