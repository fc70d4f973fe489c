#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dictgen/DictionaryFile.h"

namespace quorvantix::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes the bytes to a file of that name in the folder and returns its path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

void WriteBytes(const std::string& file, const std::string& bytes);
std::string ReadBytes(const std::string& file);

}  // namespace quorvantix::testing
