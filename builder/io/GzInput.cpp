#include "builder/io/GzInput.h"

#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "builder/io/InputError.h"
#include "builder/io/Interruption.h"

namespace quorvantix::dict {

namespace {

constexpr unsigned kBufferSize = 256 * 1024;

}  // namespace

GzInput::GzInput(const std::string& path, Expect expect) : path_(path) {
    errno = 0;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw InputError(path, "is a folder, not a file");
    }
    file_ = gzopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        throw InputError(path, std::strerror(errno ? errno : ENOENT));
    }
    gzbuffer(file_, kBufferSize);
    const auto size = std::filesystem::file_size(path, error);
    file_size_ = error ? 0 : size;
    if (expect == Expect::Compressed) {
        // gzdirect looks at the first bytes when nothing has been read yet.
        if (gzdirect(file_)) {
            gzclose(file_);
            throw InputError(path, "is not a gzip or dictzip stream");
        }
    }
}

GzInput::~GzInput() {
    gzclose(file_);
}

size_t GzInput::Read(char* buffer, size_t size) {
    const unsigned chunk = size > UINT_MAX / 2 ? UINT_MAX / 2 : static_cast<unsigned>(size);
    const int got = gzread(file_, buffer, chunk);
    if (got > 0) {
        if (observer_ != nullptr) {
            observer_->Reached(position(), file_size_);
        }
        return static_cast<size_t>(got);
    }
    // A stream cut short is only told by the error state at its end; gzread returns 0 then.
    int code = Z_OK;
    std::string_view message = gzerror(file_, &code);
    if (got == 0 && code == Z_OK) {
        return 0;
    }
    if (code == Z_ERRNO && errno == EINTR) {
        StopIfInterrupted();
    }
    if (message.starts_with(path_ + ": ")) {
        message.remove_prefix(path_.size() + 2);
    }
    throw InputError(path_, code == Z_ERRNO
                                ? std::strerror(errno)
                                : "corrupt compressed data (" + std::string(message) + ")");
}

uint64_t GzInput::position() const {
    const z_off_t offset = gzoffset(file_);
    return offset < 0 ? 0 : static_cast<uint64_t>(offset);
}

std::string ReadHead(const std::string& path, size_t size) {
    GzInput input(path);
    std::string head(size, '\0');
    size_t filled = 0;
    while (filled < size) {
        const size_t got = input.Read(head.data() + filled, size - filled);
        if (got == 0) {
            break;
        }
        filled += got;
    }
    head.resize(filled);
    return head;
}

}  // namespace quorvantix::dict
