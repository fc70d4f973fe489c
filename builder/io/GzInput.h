#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "builder/io/ReadObserver.h"

struct gzFile_s;

namespace quorvantix::dict {

// Sequential reading of a file that is either plain or gzip-compressed (dictzip included),
// told apart by its content.
class GzInput {
  public:
    enum class Expect { Either, Compressed };

    // Raises InputError when the file cannot be opened, or when it should be compressed and
    // is not.
    explicit GzInput(const std::string& path, Expect expect = Expect::Either);
    ~GzInput();
    GzInput(const GzInput&) = delete;
    GzInput& operator=(const GzInput&) = delete;

    // Reads up to size bytes; 0 at the end. Raises InputError on a corrupt stream.
    size_t Read(char* buffer, size_t size);

    // Bytes of the file itself (compressed bytes for a compressed file) read so far, and the
    // file's size: for showing how far the reading has come.
    uint64_t position() const;
    uint64_t file_size() const noexcept { return file_size_; }
    const std::string& path() const noexcept { return path_; }

    // Told after every read from now on.
    void Observe(ReadObserver& observer) noexcept { observer_ = &observer; }

  private:
    std::string path_;
    gzFile_s* file_ = nullptr;
    uint64_t file_size_ = 0;
    ReadObserver* observer_ = nullptr;
};

// Reads the file's first bytes, at most size of them (decompressed when compressed).
std::string ReadHead(const std::string& path, size_t size);

}  // namespace quorvantix::dict
