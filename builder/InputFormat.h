#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvantix::dict {

enum class InputFormat { Tsv, Dictd, Stardict, Eijiro, EdictReverse, Mdb, Wordnet };

// The format's name on the command line ("tsv", "dictd", ...).
std::string_view FormatName(InputFormat format);
std::optional<InputFormat> FormatNamed(std::string_view name);

// Every format's name, in the order of the enumeration.
std::vector<std::string> FormatNameList();
// The same, separated by ", ".
std::string FormatNames();

// The format told by the file's name, else by its first bytes (a folder holding WordNet's
// database is wordnet); nullopt when neither tells.
std::optional<InputFormat> DetectFormat(const std::string& path);

}  // namespace quorvantix::dict
