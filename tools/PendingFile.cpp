#include "tools/PendingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quorvantix::dict {

namespace {

std::runtime_error SystemError(const std::string& file, const std::string& what) {
    return std::runtime_error(file + ": " + what + ": " + std::strerror(errno));
}

// Flushes a file or folder to disk.
void Sync(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        throw SystemError(path, "cannot open to flush");
    }
    const int synced = ::fsync(fd);
    ::close(fd);
    if (synced != 0 && errno != EINVAL) {
        throw SystemError(path, "cannot flush to disk");
    }
}

mode_t UsualMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

PendingFile::PendingFile(const std::string& target) : target_(target) {
    const std::filesystem::path target_path(target);
    const std::filesystem::path folder =
        target_path.has_parent_path() ? target_path.parent_path() : std::filesystem::path(".");
    std::string pattern =
        (folder / ("." + target_path.filename().string() + ".part-XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw SystemError(target, "cannot make a new file beside it");
    }
    ::close(fd);
    path_ = pattern;
}

PendingFile::~PendingFile() {
    if (!committed_) {
        std::remove(path_.c_str());
    }
}

void PendingFile::Commit() {
    Sync(path_, O_RDONLY);
    if (::chmod(path_.c_str(), UsualMode()) != 0) {
        throw SystemError(path_, "cannot set permissions");
    }
    if (std::rename(path_.c_str(), target_.c_str()) != 0) {
        throw SystemError(target_, "cannot put the new file in place");
    }
    committed_ = true;
    const std::filesystem::path parent = std::filesystem::path(target_).parent_path();
    Sync(parent.empty() ? "." : parent.string(), O_RDONLY | O_DIRECTORY);
}

}  // namespace quorvantix::dict
