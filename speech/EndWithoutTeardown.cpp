#include "speech/EndWithoutTeardown.h"

#include <cstdio>
#include <cstdlib>

namespace quorvantix {

// Only the program's own output is flushed: flushing every stream would wait for the lock of
// the speech library's socket stream, which its reading thread may hold for ever.
void EndWithoutTeardown(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace quorvantix
