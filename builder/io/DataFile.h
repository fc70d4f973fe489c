#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quorvantix::dict {

// The data file of a dictd or StarDict dictionary, read at the offsets its index gives:
// plain, dictzip (decompressed one chunk at a time) or plain gzip.
class DataFile {
  public:
    virtual ~DataFile() = default;

    // Up to length bytes of the uncompressed data from offset on; fewer when the data ends
    // first. Raises InputError when the file cannot be read or its compressed data is corrupt.
    virtual std::string Read(uint64_t offset, uint32_t length) = 0;
};

// Opens the file, compressed when its name ends in ".dz" or ".gz". A compressed file is
// checked whole first; InputError when it is damaged.
std::unique_ptr<DataFile> OpenDataFile(const std::string& path);

}  // namespace quorvantix::dict
