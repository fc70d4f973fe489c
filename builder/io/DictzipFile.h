#pragma once

#include <cstdint>
#include <fstream>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "builder/io/DataFile.h"

struct z_stream_s;

namespace quorvantix::dict {

// A dictzip file: a gzip member whose header lists the sizes of equally long chunks that were
// compressed each on its own, so any part is reached by inflating one or two chunks.
class DictzipFile : public DataFile {
  public:
    // nullptr when the file is gzip without a chunk table. size: what it decompresses to.
    static std::unique_ptr<DictzipFile> Open(const std::string& path, uint64_t size);
    ~DictzipFile() override;

  protected:
    std::string ReadWithin(uint64_t offset, uint32_t length) override;

  private:
    struct InflateEnd {
        void operator()(z_stream_s* stream) const noexcept;
    };

    DictzipFile(const std::string& path, uint64_t size, std::ifstream file, uint32_t chunk_length,
                std::vector<uint64_t> chunk_offsets);
    const std::string& Chunk(size_t index);
    std::string Inflate(size_t index);

    std::string path_;
    std::ifstream file_;
    uint32_t chunk_length_;
    std::vector<uint64_t> chunk_offsets_;  // one more than there are chunks: the end
    std::unique_ptr<z_stream_s, InflateEnd> stream_;
    // Decompressed chunks, the most recently used first, up to kCacheBytes: an index in
    // alphabetical order often jumps back and forth through data kept in another order.
    std::list<std::pair<size_t, std::string>> cache_;
    std::unordered_map<size_t, std::list<std::pair<size_t, std::string>>::iterator> cached_;
    std::string compressed_;
};

}  // namespace quorvantix::dict
