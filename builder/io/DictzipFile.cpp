#include "builder/io/DictzipFile.h"

#include <zlib.h>

#include <array>
#include <optional>

#include "builder/io/InputError.h"

namespace quorvantix::dict {

namespace {

constexpr size_t kCacheBytes = 32 * 1024 * 1024;
constexpr uint8_t kExtraField = 0x04;
constexpr uint8_t kFileName = 0x08;
constexpr uint8_t kComment = 0x10;
constexpr uint8_t kHeaderCrc = 0x02;

uint16_t LittleEndian16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                                 static_cast<uint8_t>(bytes[at + 1]) << 8);
}

std::string ReadBytes(std::ifstream& file, size_t count) {
    std::string bytes(count, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(file.gcount()));
    return bytes;
}

void SkipZeroTerminated(std::ifstream& file) {
    for (int c = file.get(); c != EOF && c != 0; c = file.get()) {
    }
}

struct ChunkTable {
    uint32_t chunk_length = 0;
    std::vector<uint16_t> sizes;
};

// The "RA" subfield of the gzip extra field, if there is one.
std::optional<ChunkTable> FindChunkTable(const std::string& extra) {
    size_t at = 0;
    while (at + 4 <= extra.size()) {
        const uint16_t length = LittleEndian16(extra, at + 2);
        const size_t data = at + 4;
        if (data + length > extra.size()) {
            break;
        }
        if (extra[at] == 'R' && extra[at + 1] == 'A' && length >= 6) {
            ChunkTable table;
            table.chunk_length = LittleEndian16(extra, data + 2);
            const uint16_t count = LittleEndian16(extra, data + 4);
            if (6u + 2u * count > length || table.chunk_length == 0) {
                return std::nullopt;
            }
            for (uint16_t i = 0; i < count; ++i) {
                table.sizes.push_back(LittleEndian16(extra, data + 6 + 2u * i));
            }
            return table;
        }
        at = data + length;
    }
    return std::nullopt;
}

}  // namespace

void DictzipFile::InflateEnd::operator()(z_stream_s* stream) const noexcept {
    inflateEnd(stream);
    delete stream;
}

std::unique_ptr<DictzipFile> DictzipFile::Open(const std::string& path, uint64_t size) {
    std::ifstream file(path, std::ios::binary);
    const std::string header = ReadBytes(file, 10);
    if (header.size() < 10 || header[0] != '\x1f' || header[1] != '\x8b' || header[2] != 8) {
        throw InputError(path, "is not a gzip or dictzip stream");
    }
    const auto flags = static_cast<uint8_t>(header[3]);
    if (!(flags & kExtraField)) {
        return nullptr;
    }
    const std::string length = ReadBytes(file, 2);
    if (length.size() < 2) {
        throw InputError(path, "corrupt compressed data (truncated header)");
    }
    const std::string extra = ReadBytes(file, LittleEndian16(length, 0));
    std::optional<ChunkTable> table = FindChunkTable(extra);
    if (!table) {
        return nullptr;
    }
    if (flags & kFileName)
        SkipZeroTerminated(file);
    if (flags & kComment)
        SkipZeroTerminated(file);
    if (flags & kHeaderCrc)
        ReadBytes(file, 2);
    if (!file) {
        throw InputError(path, "corrupt compressed data (truncated header)");
    }
    std::vector<uint64_t> offsets{static_cast<uint64_t>(file.tellg())};
    for (uint16_t chunk_size : table->sizes) {
        offsets.push_back(offsets.back() + chunk_size);
    }
    return std::unique_ptr<DictzipFile>(
        new DictzipFile(path, size, std::move(file), table->chunk_length, std::move(offsets)));
}

DictzipFile::DictzipFile(const std::string& path, uint64_t size, std::ifstream file,
                         uint32_t chunk_length, std::vector<uint64_t> chunk_offsets)
    : DataFile(size),
      path_(path),
      file_(std::move(file)),
      chunk_length_(chunk_length),
      chunk_offsets_(std::move(chunk_offsets)),
      stream_(new z_stream_s{}) {
    if (inflateInit2(stream_.get(), -MAX_WBITS) != Z_OK) {
        throw InputError(path_, "cannot start decompressing");
    }
}

DictzipFile::~DictzipFile() = default;

const std::string& DictzipFile::Chunk(size_t index) {
    if (auto found = cached_.find(index); found != cached_.end()) {
        cache_.splice(cache_.begin(), cache_, found->second);
        return found->second->second;
    }
    std::string chunk = Inflate(index);
    if (cache_.size() * chunk_length_ >= kCacheBytes) {
        cached_.erase(cache_.back().first);
        cache_.pop_back();
    }
    cache_.emplace_front(index, std::move(chunk));
    cached_[index] = cache_.begin();
    return cache_.front().second;
}

std::string DictzipFile::Inflate(size_t index) {
    const uint64_t start = chunk_offsets_[index];
    const size_t size = chunk_offsets_[index + 1] - start;
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(start));
    compressed_.resize(size);
    file_.read(compressed_.data(), static_cast<std::streamsize>(size));
    if (static_cast<size_t>(file_.gcount()) != size) {
        throw InputError(path_, "corrupt compressed data (the file ends inside a chunk)");
    }
    std::string chunk(chunk_length_, '\0');
    z_stream_s* stream = stream_.get();
    inflateReset(stream);
    stream->next_in = reinterpret_cast<Bytef*>(compressed_.data());
    stream->avail_in = static_cast<uInt>(size);
    stream->next_out = reinterpret_cast<Bytef*>(chunk.data());
    stream->avail_out = chunk_length_;
    const int code = inflate(stream, Z_SYNC_FLUSH);
    if (code != Z_OK && code != Z_STREAM_END) {
        throw InputError(path_, std::string("corrupt compressed data (") +
                                    (stream->msg ? stream->msg : "inflate failed") + ")");
    }
    // Chunks carry no checksum of their own: a chunk that does not fill exactly, or leaves
    // compressed bytes over, is damaged.
    const bool last = index + 2 == chunk_offsets_.size();
    if (stream->avail_in != 0 || (!last && stream->avail_out != 0)) {
        throw InputError(path_, "corrupt compressed data (chunk " + std::to_string(index + 1) +
                                    " does not decompress to its size)");
    }
    chunk.resize(chunk_length_ - stream->avail_out);
    return chunk;
}

std::string DictzipFile::ReadWithin(uint64_t offset, uint32_t length) {
    std::string bytes;
    const size_t chunks = chunk_offsets_.size() - 1;
    while (bytes.size() < length) {
        const uint64_t at = offset + bytes.size();
        const size_t index = at / chunk_length_;
        if (index >= chunks) {
            break;
        }
        const std::string& chunk = Chunk(index);
        const size_t within = at % chunk_length_;
        if (within >= chunk.size()) {
            break;
        }
        bytes.append(chunk, within, length - bytes.size());
    }
    return bytes;
}

}  // namespace quorvantix::dict
