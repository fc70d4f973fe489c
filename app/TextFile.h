#pragma once

#include <string>
#include <string_view>

namespace quorvantix {

// The whole content of the file, or the empty text when it is missing or cannot be read.
std::string ReadTextFile(const std::string& file_name);

// Writes the content to a new file beside the target and renames it over the target only once
// it is complete and on disk, so a failed save leaves the old file exactly as it was.
// Throws std::system_error naming the file when any step fails.
void ReplaceFileContent(const std::string& file_name, std::string_view content);

}  // namespace quorvantix
