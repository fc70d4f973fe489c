// EDICT turned around (edict-reverse) over arbitrary bytes, EUC-JP or UTF-8.
#include "builder/formats/EdictReverse.h"
#include "fuzz/FuzzSupport.h"

namespace fuzz = quorvantix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::string file = (fuzz::ScratchFolder() / "edict").string();
    fuzz::WriteFile(file, input);
    fuzz::CountingSink sink(fuzz::CountingSink::Rows::Utf8);
    fuzz::ReadAllowingInputErrors([&] { quorvantix::dict::ReadEdictReverse(file, sink); });
    if (!fuzz::LooksCompressed(input)) {
        fuzz::Check(sink.skipped() <= fuzz::CountLines(input).non_blank,
                    "only lines that are not blank are skipped");
    }
    return 0;
}
