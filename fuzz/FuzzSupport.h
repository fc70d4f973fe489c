#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "builder/formats/EntrySink.h"
#include "builder/io/InputError.h"

// What the fuzz targets share: the check that ends a run, a private scratch folder, the input
// cut into the files of a format that needs several, and a sink that checks what readers hand
// it.
namespace quorvantix::fuzz {

// Prints the broken invariant and traps, so that libFuzzer keeps the input as a crash.
void Check(bool holds, std::string_view invariant);

std::string_view AsText(const uint8_t* data, size_t size);

// A folder of this process's own under the temporary folder, made on first use and removed
// when the process ends normally.
const std::filesystem::path& ScratchFolder();

// Replaces the file's content with the bytes.
void WriteFile(const std::filesystem::path& file, std::string_view bytes);

// The bytes between the separators, at most count parts (the last one runs to the end).
inline constexpr std::string_view kFileSeparator = "--8<--";
std::vector<std::string_view> SplitFiles(std::string_view input, size_t count);

// Whether the bytes begin like a gzip stream; such files get a compressed file's name.
bool LooksCompressed(std::string_view bytes);

// The lines of a plain text file as the builder's line reader splits them, and those of them
// that hold more than spaces and tabs.
struct LineCount {
    long lines = 0;
    long non_blank = 0;
};
LineCount CountLines(std::string_view bytes);

// Removes every file of the scratch folder, so that no file of an earlier input lingers.
void ClearScratchFolder();

// Writes the bytes as base + suffix, or as base + compressed_suffix when they look compressed,
// and returns the path written.
std::filesystem::path WriteInputFile(const std::filesystem::path& base, std::string_view suffix,
                                     std::string_view compressed_suffix, std::string_view bytes);

// Counts what a reader hands over and checks what every reader promises: rows have a
// headword, skipped numbers count from 1 and go up, progress stays within the file. Readers
// of text formats, which decode every line to UTF-8, also promise rows in UTF-8.
class CountingSink final : public dict::EntrySink {
  public:
    enum class Rows { Bytes, Utf8 };
    explicit CountingSink(Rows rows = Rows::Bytes) : expected_(rows) {}

    void Add(std::string_view headword, std::string_view definition) override;
    void Skip(long number) override;
    void Reached(uint64_t done, uint64_t total) override;

    long rows() const { return rows_; }
    long skipped() const { return skipped_; }

  private:
    Rows expected_;
    long rows_ = 0;
    long skipped_ = 0;
    long last_skipped_ = 0;
};

// Runs the reader; a damaged input may end it with InputError, which the builder reports
// to the user. Every other exception escapes and counts as a finding.
template <typename Read>
void ReadAllowingInputErrors(Read read) {
    try {
        read();
    } catch (const dict::InputError&) {
    }
}

}  // namespace quorvantix::fuzz
