#pragma once

#include <string>
#include <string_view>

namespace quorvantix {

// A new file made beside its target under a temporary name, which takes the target's place in
// one rename once it is complete and on disk. Until then the target is not touched, and a file
// that is not committed is removed, so a failed or interrupted save leaves the old file exactly
// as it was. Every failure throws std::system_error naming the target.
class AtomicFile {
  public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The new file's own name, for writers that open it themselves.
    const std::string& path() const noexcept { return path_; }

    void Write(std::string_view content);

    // Flushes the new file to disk, gives it the mode of the file it replaces (or the usual
    // mode for a new file), renames it over the target and flushes the folder.
    void Commit();

  private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

// Replaces the file's whole content through an AtomicFile.
void ReplaceFileContent(const std::string& file_name, std::string_view content);

}  // namespace quorvantix
