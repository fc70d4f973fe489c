#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "platform/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

mode_t ModeOf(const std::string& file) {
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0);
    return status.st_mode & 07777;
}

std::size_t FilesIn(const TempDir& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                                  std::filesystem::directory_iterator()));
}

TEST(AtomicFileTest, ReplacesTheContentAndKeepsTheReplacedFilesMode) {
    TempDir dir;
    const std::string file = dir.WriteFile("Quorvantix.txt", "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ReplaceFileContent(file, "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(ModeOf(file), 0640u);
    EXPECT_EQ(FilesIn(dir), 1u);

    // A new file gets what a plain create would give it, not the temporary file's 0600.
    const mode_t mask = ::umask(022);
    ReplaceFileContent(dir.File("fresh"), "x");
    ::umask(mask);
    EXPECT_EQ(ModeOf(dir.File("fresh")), 0644u);
}

TEST(AtomicFileTest, AFileNotCommittedLeavesTheTargetAsItWas) {
    TempDir dir;
    const std::string file = dir.WriteFile("Out", "old");
    {
        AtomicFile pending(file);
        pending.Write("half of the new");
        EXPECT_EQ(ReadBytes(file), "old");
    }
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(AtomicFileTest, AWriteCutShortLeavesTheOldFile) {
    TempDir dir;
    const std::string file = dir.WriteFile("Quorvantix.txt", "1\r\n2\r\n3\r\n4\r\n5\r\n");
    {
        FileSizeLimit limit(4);
        EXPECT_THROW(ReplaceFileContent(file, "10\r\n20\r\n400\r\n300\r\n60\r\n"),
                     std::system_error);
    }
    EXPECT_EQ(ReadBytes(file), "1\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(FilesIn(dir), 1u);
}

TEST(AtomicFileTest, AFailureNamesTheFile) {
    TempDir dir;
    const std::string file = dir.File("no such folder/Quorvantix.txt");
    try {
        ReplaceFileContent(file, "x");
        FAIL() << "the save should fail";
    } catch (const std::system_error& failure) {
        EXPECT_NE(std::string(failure.what()).find(file), std::string::npos) << failure.what();
    }
}

}  // namespace
}  // namespace quorvantix::testing
