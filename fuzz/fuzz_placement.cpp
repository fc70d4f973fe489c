// Reading and clamping the placement file. The input's first 16 bytes are the bounds
// (minimum width and height, work area width and height, each a little-endian 32-bit int,
// any value at all), the rest is the file's text.
#include <algorithm>
#include <string>

#include "app/PlacementText.h"
#include "fuzz/FuzzSupport.h"

namespace fuzz = quorvantix::fuzz;
using quorvantix::WindowPlacement;

namespace {

constexpr int kLargestRead = 9999;  // four digits

int32_t TakeInt(const uint8_t* bytes) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return static_cast<int32_t>(value);
}

bool ReadOrDefault(int value, int fallback) {
    return value == fallback || (value >= 0 && value <= kLargestRead);
}

bool FitsInFile(const WindowPlacement& p) {
    for (const int value : {p.left, p.top, p.width, p.height, p.limit}) {
        if (value < 0 || value > kLargestRead) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kBoundsSize = 16;
    if (size < kBoundsSize) {
        return 0;
    }
    const quorvantix::PlacementBounds bounds{TakeInt(data), TakeInt(data + 4), TakeInt(data + 8),
                                             TakeInt(data + 12)};
    const WindowPlacement defaults;
    const WindowPlacement read =
        quorvantix::ReadPlacement(fuzz::AsText(data + kBoundsSize, size - kBoundsSize));
    fuzz::Check(ReadOrDefault(read.left, defaults.left) && ReadOrDefault(read.top, defaults.top) &&
                    ReadOrDefault(read.width, defaults.width) &&
                    ReadOrDefault(read.height, defaults.height) &&
                    ReadOrDefault(read.limit, defaults.limit),
                "every value read is its default or a number of at most four digits");

    const WindowPlacement held = quorvantix::ClampPlacement(read, bounds);
    fuzz::Check(held.left >= 0 && (held.left == 0 || held.left <= bounds.area_width),
                "the left edge lies within the work area, else at 0");
    fuzz::Check(held.top >= 0 && (held.top == 0 || held.top <= bounds.area_height),
                "the top edge lies within the work area, else at 0");
    fuzz::Check(held.width <= bounds.area_width &&
                    held.width >= std::min(bounds.min_width, bounds.area_width),
                "the width lies between the minimum and the work area's, the work area first");
    fuzz::Check(held.height <= bounds.area_height &&
                    held.height >= std::min(bounds.min_height, bounds.area_height),
                "the height lies between the minimum and the work area's, the work area first");
    fuzz::Check(held.limit >= 0 && held.limit <= quorvantix::kLargestLimit,
                "the copy length limit lies between 0 and the largest limit");
    fuzz::Check(quorvantix::ClampPlacement(held, bounds) == held,
                "clamping a clamped placement changes nothing");

    if (FitsInFile(held)) {
        const std::string text = quorvantix::PlacementText(held.left, held.top, held.width,
                                                           held.height, std::to_string(held.limit));
        fuzz::Check(quorvantix::ReadPlacement(text) == held,
                    "a placement written to the file reads back the same");
    }
    return 0;
}
