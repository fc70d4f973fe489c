#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace quorvantix {

// Raised by AtomicFile::Commit when the new file has taken the target's place but the folder
// could not be flushed to disk: the old file is gone, and a crash might still lose the new one.
class SavedButNotFlushed : public std::system_error {
  public:
    using std::system_error::system_error;
};

// A new file made beside its target under a temporary name, which takes the target's place in
// one rename once it is complete and on disk. Until then the target is not touched, and a file
// that is not committed is removed, so a failed or interrupted save leaves the old file exactly
// as it was. Every failure throws std::system_error naming the target.
//
// The temporary file is locked while it is being made. A save killed before it could remove
// its temporary file leaves it unlocked, and the next save of the same target removes it.
class AtomicFile {
  public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The new file's own name, for writers that open it themselves.
    const std::string& path() const noexcept { return path_; }

    void Write(std::string_view content);

    // Flushes the new file to disk, gives it the mode of the file it replaces (a new target
    // keeps the mode a plain create gives), renames it over the target and flushes the folder;
    // SavedButNotFlushed when only the last step fails.
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
