#pragma once

#include <string>

namespace quorvantix::dict {

// A new file made beside its target under a temporary name, which takes the target's place in
// one rename once it is complete. Until then the target is not touched, and a pending file
// that is not committed is removed.
class PendingFile {
  public:
    // Raises std::runtime_error when no file can be made in the target's folder.
    explicit PendingFile(const std::string& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& path() const noexcept { return path_; }

    // Flushes the file to disk, gives it the usual permissions and renames it over the target.
    void Commit();

  private:
    std::string target_;
    std::string path_;
    bool committed_ = false;
};

}  // namespace quorvantix::dict
