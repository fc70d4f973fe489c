#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <system_error>
#include <thread>

#include "platform/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

mode_t ModeOf(const std::string& file) {
    struct stat status = {};
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

// Reading the umask means changing it for every thread; files another thread makes meanwhile
// must still get their usual mode.
TEST(AtomicFileTest, FilesOtherThreadsMakeWhileASaveRunsKeepTheirMode) {
    TempDir dir;
    const mode_t mask = ::umask(022);
    std::atomic<bool> saving = true;
    std::set<mode_t> modes;
    std::thread maker([&] {
        for (int i = 0; saving; ++i) {
            const std::string file = dir.File("made-" + std::to_string(i % 50));
            const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                modes.insert(ModeOf(file));
                ::unlink(file.c_str());
            }
        }
    });
    for (int i = 0; i < 2000; ++i) {
        ReplaceFileContent(dir.File("fresh-" + std::to_string(i % 20)), "x");
        ::unlink(dir.File("fresh-" + std::to_string(i % 20)).c_str());
    }
    saving = false;
    maker.join();
    ::umask(mask);
    EXPECT_EQ(modes, std::set<mode_t>{0644});
}

// A save killed before it could remove its temporary file leaves it behind; the next save of
// the same file clears it, but not the temporary file of a save still under way.
TEST(AtomicFileTest, TheNextSaveRemovesTheTemporaryFileOfAnAbandonedSave) {
    TempDir dir;
    const std::string file = dir.File("Quorvantix.txt");
    const std::string abandoned = dir.WriteFile(".Quorvantix.txt.new-a1B2c3", "half");
    const std::string other = dir.WriteFile(".Other.txt.new-a1B2c3", "not ours");
    AtomicFile under_way(file);
    ReplaceFileContent(file, "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_TRUE(std::filesystem::exists(under_way.path()));
    EXPECT_TRUE(std::filesystem::exists(other));
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

// The program may be killed at any moment while it saves its settings: the file is then always
// the old or the new complete text, never a mixture, a part or nothing.
TEST(AtomicFileTest, AKillAtAnyMomentLeavesTheOldOrTheNewFile) {
    TempDir dir;
    const std::string file = dir.File("Quorvantix.txt");
    const std::string first = "10\r\n20\r\n400\r\n300\r\n50\r\n";
    const std::string second = "1200\r\n700\r\n1920\r\n1080\r\n255\r\n";
    ReplaceFileContent(file, first);
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (int i = 0;; ++i) {
                ReplaceFileContent(file, i % 2 == 0 ? second : first);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const std::string content = ReadBytes(file);
        ASSERT_TRUE(content == first || content == second) << "round " << round << ": " << content;
    }
}

}  // namespace
}  // namespace quorvantix::testing
