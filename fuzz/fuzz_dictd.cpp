// The dictd reader over an arbitrary index and data file: the input is the index, the
// separator, then the data; data that begins like gzip is named .dict.dz.
#include "builder/formats/DictdReader.h"
#include "fuzz/FuzzSupport.h"

namespace fuzz = quorvantix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string_view> parts = fuzz::SplitFiles(fuzz::AsText(data, size), 2);
    fuzz::ClearScratchFolder();
    const std::filesystem::path base = fuzz::ScratchFolder() / "dictionary";
    const std::string index = fuzz::WriteInputFile(base, ".index", ".index", parts[0]).string();
    if (parts.size() > 1) {
        fuzz::WriteInputFile(base, ".dict", ".dict.dz", parts[1]);
    }
    fuzz::CountingSink sink;
    fuzz::ReadAllowingInputErrors([&] { quorvantix::dict::ReadDictd(index, sink); });
    if (!fuzz::LooksCompressed(parts[0])) {
        fuzz::Check(sink.rows() + sink.skipped() <= fuzz::CountLines(parts[0]).lines,
                    "every index line gives at most one row or skip");
    }
    return 0;
}
