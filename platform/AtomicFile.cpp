#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace quorvantix {

namespace {

[[noreturn]] void Fail(const std::string& target, const char* step, int error = errno) {
    throw std::system_error(error, std::generic_category(),
                            "Cannot save " + target + " (" + step + ")");
}

std::string FolderOf(const std::string& target) {
    const std::filesystem::path parent = std::filesystem::path(target).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The mode of the file being replaced; for a new file, what a plain create would give.
mode_t ModeFor(const std::string& target) {
    struct stat existing = {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Flushes a folder to disk, so that a rename in it survives a crash.
void SyncFolder(const std::string& target) {
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        Fail(target, "cannot open its folder to flush it");
    }
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && error != EINVAL) {
        Fail(target, "cannot flush its folder to disk", error);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    const std::string name = std::filesystem::path(target_).filename().string();
    std::string pattern = FolderOf(target_) + "/." + name + ".new-XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Fail(target_, "cannot make a new file beside it");
    }
    path_ = std::move(pattern);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_) {
        ::unlink(path_.c_str());
    }
}

void AtomicFile::Write(std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd_, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(target_, "cannot write it");
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicFile::Commit() {
    if (::fsync(fd_) != 0) {
        Fail(target_, "cannot flush it to disk");
    }
    if (::fchmod(fd_, ModeFor(target_)) != 0) {
        Fail(target_, "cannot set its permissions");
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        Fail(target_, "cannot close it");
    }
    if (::rename(path_.c_str(), target_.c_str()) != 0) {
        Fail(target_, "cannot put the new file in its place");
    }
    committed_ = true;
    SyncFolder(target_);
}

void ReplaceFileContent(const std::string& file_name, std::string_view content) {
    AtomicFile file(file_name);
    file.Write(content);
    file.Commit();
}

}  // namespace quorvantix
