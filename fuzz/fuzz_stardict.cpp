// The StarDict reader over arbitrary files: the input is the .ifo, .idx, .dict and .syn
// between separators (the .syn may be left out); an index, data or synonym file that begins
// like gzip gets its compressed name.
#include "builder/formats/StardictReader.h"
#include "fuzz/FuzzSupport.h"

namespace fuzz = quorvantix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string_view> parts = fuzz::SplitFiles(fuzz::AsText(data, size), 4);
    fuzz::ClearScratchFolder();
    const std::filesystem::path base = fuzz::ScratchFolder() / "dictionary";
    const std::string ifo = fuzz::WriteInputFile(base, ".ifo", ".ifo", parts[0]).string();
    constexpr std::pair<std::string_view, std::string_view> kCompanions[] = {
        {".idx", ".idx.gz"}, {".dict", ".dict.dz"}, {".syn", ".syn.gz"}};
    for (size_t i = 1; i < parts.size(); ++i) {
        fuzz::WriteInputFile(base, kCompanions[i - 1].first, kCompanions[i - 1].second, parts[i]);
    }
    fuzz::CountingSink sink;
    fuzz::ReadAllowingInputErrors([&] { quorvantix::dict::ReadStardict(ifo, sink); });
    return 0;
}
