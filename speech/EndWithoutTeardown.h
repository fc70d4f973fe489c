#pragma once

namespace quorvantix {

// Ends the program at once with the status, after flushing its output: no destructor of a
// static object runs, and threads, memory and the audio stream are left to the system. Qt 6.4's
// speech engine and PulseAudio layer can crash while they are torn down after a word, so a
// program that has spoken ends this way once it has finished its own work.
[[noreturn]] void EndWithoutTeardown(int status);

}  // namespace quorvantix
