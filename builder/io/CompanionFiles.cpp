#include "builder/io/CompanionFiles.h"

#include <array>
#include <filesystem>

namespace quorvantix::dict {

std::string WithoutDataSuffix(const std::string& path) {
    constexpr std::array<std::string_view, 8> kSuffixes = {
        ".dict.dz", ".idx.gz", ".syn.gz", ".index", ".dict", ".ifo", ".idx", ".syn"};
    for (std::string_view suffix : kSuffixes) {
        if (path.ends_with(suffix)) {
            return path.substr(0, path.size() - suffix.size());
        }
    }
    return path;
}

std::optional<std::string> FirstExisting(const std::string& base,
                                         std::initializer_list<std::string_view> suffixes) {
    for (std::string_view suffix : suffixes) {
        std::string candidate = base + std::string(suffix);
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool IsCompressedName(std::string_view path) {
    return path.ends_with(".gz") || path.ends_with(".dz");
}

}  // namespace quorvantix::dict
