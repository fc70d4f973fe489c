#include "builder/io/ChildProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace quorvantix::testing {
namespace {

size_t OpenDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

std::string OutputOf(dict::ChildProcess& child) {
    std::string text;
    char buffer[4096];
    for (size_t got; (got = child.Read(buffer, sizeof buffer)) > 0;) {
        text.append(buffer, got);
    }
    return text;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(ChildProcessTest, AChildGetsOnlyItsStandardFilesAndAFailedStartLeavesNothingOpen) {
    const size_t before = OpenDescriptors();
    EXPECT_THROW(dict::ChildProcess({"quorvantix-no-such-program"}), std::system_error);
    EXPECT_EQ(OpenDescriptors(), before);

    // The error file, removed from its folder, is the child's standard error and nothing else.
    dict::ChildProcess child({"sh", "-c", "ls -l /proc/$$/fd"});
    const std::string listing = OutputOf(child);
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_EQ(Count(listing, "(deleted)"), 1u) << listing;
    EXPECT_NE(listing.find(" 2 -> "), std::string::npos) << listing;
}

}  // namespace
}  // namespace quorvantix::testing
