#include <gtest/gtest.h>

#include "builder/io/LineReader.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

TEST(LineReaderTest, LongLinesLineEndsAndTheLastLine) {
    TempDir folder;
    const std::string file = folder.File("lines");
    const std::string long_line(700 * 1024, 'x');
    WriteBytes(file, "first\r\n\n" + long_line + "\nsecond\r\nlast");
    dict::LineReader lines(file);
    std::vector<std::string> read;
    for (std::string_view line; lines.Next(line);) {
        read.emplace_back(line);
    }
    EXPECT_EQ(read, (std::vector<std::string>{"first", "", long_line, "second", "last"}));
    EXPECT_EQ(lines.line_number(), 5);
}

}  // namespace
}  // namespace quorvantix::testing
