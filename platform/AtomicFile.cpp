#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
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

constexpr std::string_view kNameLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr size_t kRandomLetters = 6;

// The start of the temporary files' names beside the target: ".NAME.new-".
std::string TemporaryPrefix(const std::string& target) {
    return FolderOf(target) + "/." + std::filesystem::path(target).filename().string() + ".new-";
}

std::string RandomLetters() {
    std::random_device random;
    std::uniform_int_distribution<size_t> letter(0, kNameLetters.size() - 1);
    std::string letters(kRandomLetters, ' ');
    for (char& c : letters) {
        c = kNameLetters[letter(random)];
    }
    return letters;
}

// A new file under a fresh name, created as a plain create makes it (mode 0666 less the
// umask, which can only be read by changing it, for every thread at once), and locked.
int CreateLocked(const std::string& prefix, std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = prefix + RandomLetters();
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Removes the temporary files of saves that ended before they could: those nobody holds
// locked. Whatever cannot be removed stays; it never stops a save.
void RemoveAbandoned(const std::string& target) {
    const std::string prefix = TemporaryPrefix(target);
    const std::string name_prefix = std::filesystem::path(prefix).filename().string();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != name_prefix.size() + kRandomLetters || !name.starts_with(name_prefix)) {
            continue;
        }
        const std::string path = entry.path().string();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
}

// Flushes the target's folder to disk, so that a rename in it survives a crash; the step that
// failed (errno telling why), or nullptr.
const char* SyncFolder(const std::string& target) {
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return "cannot open its folder to flush it";
    }
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && error != EINVAL) {
        errno = error;
        return "cannot flush its folder to disk";
    }
    return nullptr;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    RemoveAbandoned(target_);
    fd_ = CreateLocked(TemporaryPrefix(target_), path_);
    if (fd_ < 0) {
        Fail(target_, "cannot make a new file beside it");
    }
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
    struct stat replaced = {};
    if (::stat(target_.c_str(), &replaced) == 0 && ::fchmod(fd_, replaced.st_mode & 07777) != 0) {
        Fail(target_, "cannot set its permissions");
    }
    // Renamed while still open, so that it is locked until it has its place.
    if (::rename(path_.c_str(), target_.c_str()) != 0) {
        Fail(target_, "cannot put the new file in its place");
    }
    committed_ = true;
    const int closed = ::close(fd_);
    fd_ = -1;
    const char* failed = closed != 0 ? "cannot close it" : SyncFolder(target_);
    const int error = errno;
    if (failed != nullptr) {
        throw SavedButNotFlushed(error, std::generic_category(),
                                 "Saved " + target_ + ", but " + failed +
                                     " (the old file is replaced; a crash now may lose the new "
                                     "one)");
    }
}

void ReplaceFileContent(const std::string& file_name, std::string_view content) {
    AtomicFile file(file_name);
    file.Write(content);
    file.Commit();
}

}  // namespace quorvantix
