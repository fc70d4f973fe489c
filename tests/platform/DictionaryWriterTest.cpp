#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/DatabaseError.h"
#include "platform/DictionaryWriter.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

// Making the index of millions of rows takes seconds: a build told to stop must not wait for it.
TEST(DictionaryWriterTest, MakingTheIndexStopsWhenAsked) {
    TempDir dir;
    const std::string file = dir.File("pending");
    db::DictionaryWriter writer(file);
    for (int i = 0; i < 200000; ++i) {
        writer.Add("w" + std::to_string(i * 7919 % 200000), "definition");
    }
    std::atomic<int> asked{0};
    EXPECT_THROW(writer.Finish([&] { return ++asked >= 1; }), db::DatabaseError);
    EXPECT_GE(asked.load(), 1);
}

TEST(DictionaryWriterTest, AStopNeverAskedForLetsTheIndexBeMade) {
    TempDir dir;
    const std::string file = dir.File("pending");
    db::DictionaryWriter writer(file);
    writer.Add("run", "走る");
    writer.Finish([] { return false; });
    EXPECT_TRUE(db::HasHeadwordIndex(file));
}

}  // namespace
}  // namespace quorvantix::testing
