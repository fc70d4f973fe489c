#include "builder/formats/StardictReader.h"

#include <cctype>
#include <optional>
#include <utility>
#include <vector>

#include "builder/formats/MarkupText.h"
#include "builder/io/ByteStream.h"
#include "builder/io/CompanionFiles.h"
#include "builder/io/DataFile.h"
#include "builder/io/InputError.h"
#include "builder/io/LineReader.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

constexpr std::string_view kIfoMagic = "StarDict's dict ifo file";

struct IfoInfo {
    int offset_bytes = 4;
    std::string sametypesequence;
};

struct Location {
    uint64_t offset;
    uint32_t size;
};

IfoInfo ReadIfo(const std::string& path) {
    LineReader lines(path);
    std::string_view line;
    if (!lines.Next(line) || WithoutBom(line) != kIfoMagic) {
        throw InputError(path, "is not a StarDict .ifo file (its first line is not \"" +
                                   std::string(kIfoMagic) + "\")");
    }
    IfoInfo info;
    while (lines.Next(line)) {
        const size_t equals = line.find('=');
        const std::string_view key = TrimmedSpaces(line.substr(0, equals));
        const std::string_view value =
            equals == line.npos ? std::string_view() : TrimmedSpaces(line.substr(equals + 1));
        if (key == "idxoffsetbits") {
            info.offset_bytes = value == "64" ? 8 : 4;
        } else if (key == "sametypesequence") {
            info.sametypesequence = value;
        }
    }
    return info;
}

// The text of one item of the given type, or empty text for a type without text.
std::string ItemText(char type, std::string_view data) {
    switch (type) {
        case 'h':
        case 'g':
        case 'x':
        case 'k':
            return MarkupToText(data);
        case 'r':
            return {};
        default:
            return std::islower(static_cast<unsigned char>(type)) ? std::string(data) : "";
    }
}

// Takes one item's data from the front of rest: up to a zero byte for text types, a 32-bit
// size and that many bytes for the others; the last item of a sametypesequence entry runs to
// the entry's end. nullopt when the entry is cut short.
std::optional<std::string_view> TakeItem(char type, bool runs_to_end, std::string_view& rest) {
    std::string_view data;
    if (runs_to_end) {
        data = rest;
        rest = {};
    } else if (std::islower(static_cast<unsigned char>(type))) {
        const size_t zero = rest.find('\0');
        data = rest.substr(0, zero);
        rest = zero == rest.npos ? std::string_view() : rest.substr(zero + 1);
    } else {
        if (rest.size() < 4) {
            return std::nullopt;
        }
        uint32_t size = 0;
        for (int i = 0; i < 4; ++i) {
            size = size << 8 | static_cast<uint8_t>(rest[i]);
        }
        if (rest.size() - 4 < size) {
            return std::nullopt;
        }
        data = rest.substr(4, size);
        rest = rest.substr(4 + size);
    }
    return data;
}

std::optional<std::string> EntryText(std::string_view entry, const std::string& sequence) {
    std::string text;
    auto append = [&](char type, std::string_view data) {
        const std::string item(TrimmedEnd(ItemText(type, data)));
        if (!item.empty()) {
            text += (text.empty() ? "" : "\n") + item;
        }
    };
    if (!sequence.empty()) {
        for (size_t i = 0; i < sequence.size(); ++i) {
            const auto data = TakeItem(sequence[i], i + 1 == sequence.size(), entry);
            if (!data) {
                return std::nullopt;
            }
            append(sequence[i], *data);
        }
    } else {
        while (!entry.empty()) {
            const char type = entry.front();
            entry.remove_prefix(1);
            const auto data = TakeItem(type, false, entry);
            if (!data) {
                return std::nullopt;
            }
            append(type, *data);
        }
    }
    return text;
}

class StardictReader {
  public:
    StardictReader(const std::string& base, EntrySink& sink)
        : base_(base), sink_(sink), info_(ReadIfo(base + ".ifo")) {
        const auto data_path = FirstExisting(base, {".dict.dz", ".dict"});
        if (!data_path) {
            throw InputError(base + ".dict", "no such file (nor .dict.dz; the StarDict data)");
        }
        data_ = OpenDataFile(*data_path);
    }

    void ReadEntries() {
        const auto idx_path = FirstExisting(base_, {".idx", ".idx.gz"});
        if (!idx_path) {
            throw InputError(base_ + ".idx", "no such file (nor .idx.gz; the StarDict index)");
        }
        ByteStream idx(*idx_path);
        idx.input().Observe(sink_);
        std::string word;
        bool partial = false;
        while (idx.ReadZeroTerminated(word, partial)) {
            const auto offset = idx.ReadBigEndian(info_.offset_bytes);
            const auto size = idx.ReadBigEndian(4);
            if (partial || !offset || !size) {
                sink_.Skip(static_cast<long>(locations_.size()) + 1);
                cut_off_entry_ = true;
                return;
            }
            locations_.push_back({*offset, static_cast<uint32_t>(*size)});
            Deliver(word, locations_.size() - 1, static_cast<long>(locations_.size()));
        }
    }

    void ReadSynonyms() {
        const auto syn_path = FirstExisting(base_, {".syn", ".syn.gz"});
        if (!syn_path) {
            return;
        }
        ByteStream syn(*syn_path);
        std::string word;
        bool partial = false;
        // Synonyms are numbered on after every entry, the one cut off included.
        long number = static_cast<long>(locations_.size()) + (cut_off_entry_ ? 1 : 0);
        while (syn.ReadZeroTerminated(word, partial)) {
            ++number;
            const auto index = syn.ReadBigEndian(4);
            if (partial || !index) {
                sink_.Skip(number);
                return;
            }
            if (*index >= locations_.size()) {
                sink_.Skip(number);
                continue;
            }
            Deliver(word, *index, number);
        }
    }

  private:
    void Deliver(const std::string& word, size_t index, long number) {
        const Location& location = locations_[index];
        if (!data_->Holds(location.offset, location.size)) {
            sink_.Skip(number);
            return;
        }
        const std::string bytes = data_->Read(location.offset, location.size);
        const auto text =
            bytes.size() == location.size ? EntryText(bytes, info_.sametypesequence) : std::nullopt;
        if (word.empty() || !text || text->empty()) {
            sink_.Skip(number);
            return;
        }
        sink_.Add(word, *text);
    }

    std::string base_;
    EntrySink& sink_;
    bool cut_off_entry_ = false;
    IfoInfo info_;
    std::unique_ptr<DataFile> data_;
    std::vector<Location> locations_;
};

}  // namespace

void ReadStardict(const std::string& path, EntrySink& sink) {
    StardictReader reader(WithoutDataSuffix(path), sink);
    reader.ReadEntries();
    reader.ReadSynonyms();
}

}  // namespace quorvantix::dict
