#pragma once

#include <memory>
#include <string>

#include "app/ClipboardText.h"
#include "app/FailureReport.h"

namespace quorvantix {

// What the window needs from outside: where the program lives, the clipboard, and how
// failures are reported. Tests hand in their own.
struct FormServices {
    std::string program_folder;                  // ends with its separator
    std::unique_ptr<ClipboardReader> clipboard;  // empty: the desktop's clipboard
    FailureReporter report;                      // empty: a message box over the window
};

// The running program's folder, the session's clipboard and message boxes.
FormServices DefaultFormServices();

inline constexpr const char* kDictionaryFileName = "Tessaryn";
inline constexpr const char* kPlacementFileName = "Quorvantix.txt";

}  // namespace quorvantix
