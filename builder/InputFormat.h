#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvantix::dict {

enum class InputFormat { Tsv, Dictd, Stardict, Eijiro, EdictReverse, Mdb };

// The format's name on the command line ("tsv", "dictd", ...).
std::string_view FormatName(InputFormat format);
std::optional<InputFormat> FormatNamed(std::string_view name);

// Every format name, separated by ", ".
std::string FormatNames();

// The format told by the file's name, else by its first bytes; nullopt when neither tells.
std::optional<InputFormat> DetectFormat(const std::string& path);

}  // namespace quorvantix::dict
