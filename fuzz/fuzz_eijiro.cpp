// The EIJIRO reader over arbitrary bytes, Shift-JIS or UTF-8 as the reader tells them apart.
#include "builder/formats/EijiroReader.h"
#include "fuzz/FuzzSupport.h"

namespace fuzz = quorvantix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::string file = (fuzz::ScratchFolder() / "input.txt").string();
    fuzz::WriteFile(file, input);
    fuzz::CountingSink sink(fuzz::CountingSink::Rows::Utf8);
    fuzz::ReadAllowingInputErrors([&] { quorvantix::dict::ReadEijiro(file, sink); });
    if (!fuzz::LooksCompressed(input)) {
        fuzz::Check(sink.rows() + sink.skipped() == fuzz::CountLines(input).non_blank,
                    "every line that is not blank is a row or skipped");
    }
    return 0;
}
