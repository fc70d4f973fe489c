#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

namespace quorvantix::dict {

// The data file of a dictd or StarDict dictionary, read at the offsets its index gives:
// plain, dictzip (decompressed one chunk at a time) or plain gzip.
class DataFile {
  public:
    explicit DataFile(uint64_t size) : size_(size) {}
    virtual ~DataFile() = default;

    // Up to length bytes of the uncompressed data from offset on; fewer when the data ends
    // first, none from beyond it. Raises InputError when the file cannot be read or its
    // compressed data is corrupt.
    std::string Read(uint64_t offset, uint32_t length) {
        if (offset >= size_) {
            return {};
        }
        return ReadWithin(offset,
                          static_cast<uint32_t>(std::min<uint64_t>(length, size_ - offset)));
    }

    // Whether the data holds all of these bytes. An index entry that reaches beyond them is
    // damaged, and nothing is allocated for it.
    bool Holds(uint64_t offset, uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    // The size of the uncompressed data.
    uint64_t Size() const { return size_; }

  protected:
    // Reads bytes that lie within the data.
    virtual std::string ReadWithin(uint64_t offset, uint32_t length) = 0;

  private:
    uint64_t size_;
};

// Opens the file, compressed when its name ends in ".dz" or ".gz". A compressed file is
// checked whole first; InputError when it is damaged.
std::unique_ptr<DataFile> OpenDataFile(const std::string& path);

}  // namespace quorvantix::dict
