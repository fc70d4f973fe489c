#include "builder/io/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "builder/io/CompanionFiles.h"
#include "builder/io/DictzipFile.h"
#include "builder/io/GzInput.h"
#include "builder/io/InputError.h"

namespace quorvantix::dict {

namespace {

class PlainDataFile : public DataFile {
  public:
    PlainDataFile(const std::string& path, uint64_t size)
        : DataFile(size), path_(path), file_(path, std::ios::binary) {
        std::error_code error;
        if (!file_ || std::filesystem::is_directory(path, error)) {
            throw InputError(path, file_ ? "is a folder, not a file" : std::strerror(errno));
        }
    }

  protected:
    std::string ReadWithin(uint64_t offset, uint32_t length) override {
        file_.clear();
        file_.seekg(static_cast<std::streamoff>(offset));
        std::string bytes(length, '\0');
        file_.read(bytes.data(), length);
        bytes.resize(static_cast<size_t>(file_.gcount()));
        return bytes;
    }

  private:
    std::string path_;
    std::ifstream file_;
};

// gzip without a chunk table: read forward, and from the start again for an earlier offset.
class GzipDataFile : public DataFile {
  public:
    GzipDataFile(const std::string& path, uint64_t size) : DataFile(size), path_(path) {
        Restart();
    }

  protected:
    std::string ReadWithin(uint64_t offset, uint32_t length) override {
        if (offset < position_) {
            Restart();
        }
        std::string bytes;
        Skip(offset - position_);
        bytes.resize(length);
        size_t filled = 0;
        while (filled < length) {
            const size_t got = input_->Read(bytes.data() + filled, length - filled);
            if (got == 0) {
                break;
            }
            filled += got;
        }
        position_ += filled;
        bytes.resize(filled);
        return bytes;
    }

  private:
    void Restart() {
        input_ = std::make_unique<GzInput>(path_, GzInput::Expect::Compressed);
        position_ = 0;
    }

    void Skip(uint64_t count) {
        char buffer[64 * 1024];
        while (count > 0) {
            const size_t got = input_->Read(buffer, count < sizeof buffer ? count : sizeof buffer);
            if (got == 0) {
                return;
            }
            count -= got;
            position_ += got;
        }
    }

    std::string path_;
    std::unique_ptr<GzInput> input_;
    uint64_t position_ = 0;
};

// Reads the whole stream once, so that its checksum is tested (chunks read at random carry
// none of their own); gives the uncompressed size.
uint64_t VerifyCompressed(const std::string& path) {
    GzInput input(path, GzInput::Expect::Compressed);
    std::string buffer(256 * 1024, '\0');
    uint64_t size = 0;
    while (const size_t got = input.Read(buffer.data(), buffer.size())) {
        size += got;
    }
    return size;
}

}  // namespace

std::unique_ptr<DataFile> OpenDataFile(const std::string& path) {
    if (!IsCompressedName(path)) {
        std::error_code error;
        const uint64_t size = std::filesystem::file_size(path, error);
        return std::make_unique<PlainDataFile>(path, error ? 0 : size);
    }
    const uint64_t size = VerifyCompressed(path);
    if (auto dictzip = DictzipFile::Open(path, size)) {
        return dictzip;
    }
    return std::make_unique<GzipDataFile>(path, size);
}

}  // namespace quorvantix::dict
