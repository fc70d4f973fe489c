#include "app/TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorvantix {

namespace {

[[noreturn]] void ThrowSaveFailure(const std::string& file_name, int error) {
    throw std::system_error(error, std::generic_category(), "Cannot save " + file_name);
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes now, so that a failing close is seen; returns 0 or the error.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// A file that is removed again unless it was kept.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!kept_) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    void Keep() { kept_ = true; }

  private:
    std::string path_;
    bool kept_ = false;
};

std::string TemporaryName(const std::string& file_name) {
    static std::atomic<unsigned> counter{0};
    return file_name + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Creates a file of a new name beside the target; a leftover of an earlier run only moves the
// name on.
int CreateBeside(const std::string& file_name, std::string& created_name) {
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        created_name = TemporaryName(file_name);
        const int fd = ::open(created_name.c_str(), kFlags, 0666);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    ThrowSaveFailure(file_name, errno);
}

int WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

std::string ReadTextFile(const std::string& file_name) {
    std::ifstream in(file_name, std::ios::binary);
    if (!in) {
        return {};
    }
    try {
        std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return in.bad() ? std::string() : content;
    } catch (const std::ios_base::failure&) {
        // The standard library reports some read errors (a folder, an I/O error) this way.
        return {};
    }
}

void ReplaceFileContent(const std::string& file_name, std::string_view content) {
    std::string temporary_name;
    FileDescriptor fd(CreateBeside(file_name, temporary_name));
    TemporaryFile temporary(std::move(temporary_name));
    if (const int error = WriteAll(fd.get(), content); error != 0) {
        ThrowSaveFailure(file_name, error);
    }
    if (::fsync(fd.get()) != 0) {
        ThrowSaveFailure(file_name, errno);
    }
    if (const int error = fd.Close(); error != 0) {
        ThrowSaveFailure(file_name, error);
    }
    if (::rename(temporary.path().c_str(), file_name.c_str()) != 0) {
        ThrowSaveFailure(file_name, errno);
    }
    temporary.Keep();
}

}  // namespace quorvantix
