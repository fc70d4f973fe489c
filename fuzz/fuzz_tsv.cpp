// The tsv reader over arbitrary bytes, with and without comma-separated spellings.
#include "builder/formats/TsvReader.h"
#include "fuzz/FuzzSupport.h"

namespace fuzz = quorvantix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::string file = (fuzz::ScratchFolder() / "input.tsv").string();
    fuzz::WriteFile(file, input);
    const fuzz::LineCount count = fuzz::CountLines(input);
    for (const bool keep_commas : {false, true}) {
        fuzz::CountingSink sink(fuzz::CountingSink::Rows::Utf8);
        fuzz::ReadAllowingInputErrors([&] { quorvantix::dict::ReadTsv(file, keep_commas, sink); });
        if (keep_commas && !fuzz::LooksCompressed(input)) {
            fuzz::Check(sink.rows() + sink.skipped() == count.non_blank,
                        "with commas kept, every line that is not blank is a row or skipped");
        }
    }
    return 0;
}
