#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorvantix::dict {

// The path without the suffix that marks one file of a multi-file dictionary (".index",
// ".dict", ".dict.dz", ".ifo", ".idx", ".idx.gz", ".syn"): the name its companions share.
std::string WithoutDataSuffix(const std::string& path);

// The first of base + suffix that exists, in the order given.
std::optional<std::string> FirstExisting(const std::string& base,
                                         std::initializer_list<std::string_view> suffixes);

// Whether the name ends in a suffix of compressed data (".gz", ".dz").
bool IsCompressedName(std::string_view path);

}  // namespace quorvantix::dict
