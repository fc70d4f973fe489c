#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "text/Utf8.h"

namespace quorvantix::fuzz {

namespace {

class Folder {
  public:
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorvantix-fuzz.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~Folder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace

void Check(bool holds, std::string_view invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(invariant.size()),
                     invariant.data());
        std::fflush(stderr);
        __builtin_trap();
    }
}

std::string_view AsText(const uint8_t* data, size_t size) {
    return size == 0 ? std::string_view()
                     : std::string_view(reinterpret_cast<const char*>(data), size);
}

const std::filesystem::path& ScratchFolder() {
    static const Folder folder;
    return folder.path();
}

void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::vector<std::string_view> SplitFiles(std::string_view input, size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const size_t separator = input.find(kFileSeparator);
        if (separator == input.npos) {
            break;
        }
        parts.push_back(input.substr(0, separator));
        input.remove_prefix(separator + kFileSeparator.size());
    }
    parts.push_back(input);
    return parts;
}

bool LooksCompressed(std::string_view bytes) {
    return bytes.starts_with("\x1f\x8b");
}

LineCount CountLines(std::string_view bytes) {
    LineCount count;
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        std::string_view line = bytes.substr(0, newline);
        bytes = newline == bytes.npos ? std::string_view() : bytes.substr(newline + 1);
        if (count.lines++ == 0 && line.starts_with("\xEF\xBB\xBF")) {
            line.remove_prefix(3);
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") != line.npos) {
            ++count.non_blank;
        }
    }
    return count;
}

void ClearScratchFolder() {
    for (const auto& entry : std::filesystem::directory_iterator(ScratchFolder())) {
        std::filesystem::remove_all(entry.path());
    }
}

std::filesystem::path WriteInputFile(const std::filesystem::path& base, std::string_view suffix,
                                     std::string_view compressed_suffix, std::string_view bytes) {
    std::filesystem::path file = base;
    file += LooksCompressed(bytes) ? compressed_suffix : suffix;
    WriteFile(file, bytes);
    return file;
}

void CountingSink::Add(std::string_view headword, std::string_view definition) {
    Check(!headword.empty(), "every row has a headword");
    if (expected_ == Rows::Utf8) {
        Check(IsUtf8(headword) && IsUtf8(definition), "rows of a text format are UTF-8");
    }
    ++rows_;
}

void CountingSink::Skip(long number) {
    Check(number > last_skipped_, "skipped numbers count from 1 and go up");
    last_skipped_ = number;
    ++skipped_;
}

void CountingSink::Reached(uint64_t done, uint64_t total) {
    Check(total == 0 || done <= total, "progress stays within the file");
}

}  // namespace quorvantix::fuzz
