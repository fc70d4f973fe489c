#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/ClipboardReader.h"
#include "platform/FileDescriptor.h"
#include "platform/wayland/BoundedRead.h"
#include "platform/wayland/TextMimeType.h"

namespace quorvantix {
namespace {

TEST(PreferredTextType, PicksUtf8TextFirstAndNothingThatIsNotText) {
    using Offered = std::vector<std::string>;
    EXPECT_EQ(PreferredTextType(Offered{"text/plain", "UTF8_STRING", "text/plain;charset=utf-8"}),
              "text/plain;charset=utf-8");
    EXPECT_EQ(PreferredTextType(Offered{"TEXT", "STRING", "text/plain", "UTF8_STRING"}),
              "UTF8_STRING");
    EXPECT_EQ(PreferredTextType(Offered{"image/png", "text/plain"}), "text/plain");
    EXPECT_EQ(PreferredTextType(Offered{"image/png", "text/html", "TEXT"}), "");
    EXPECT_EQ(PreferredTextType(Offered{}), "");
}

// A pipe whose write end plays the clipboard's owner.
struct Pipe {
    Pipe() {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        reading = FileDescriptor(ends[0]);
        writing = FileDescriptor(ends[1]);
    }
    void Write(std::string_view bytes) {
        ASSERT_EQ(write(writing.Get(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    FileDescriptor reading;
    FileDescriptor writing;
};

using std::chrono::milliseconds;

WaylandClock::time_point In(milliseconds wait) {
    return WaylandClock::now() + wait;
}

TEST(ReadTextUntilClosed, ReadsUntilTheOwnerClosesOrSendsNul) {
    Pipe whole;
    whole.Write("Happiness");
    whole.writing.Reset();
    EXPECT_EQ(ReadTextUntilClosed(whole.reading.Get(), In(milliseconds(5000)), 100), "Happiness");

    // The text ends at its first NUL; the owner need not close for the read to end there.
    Pipe nul;
    nul.Write(std::string_view("give\0up", 7));
    EXPECT_EQ(ReadTextUntilClosed(nul.reading.Get(), In(milliseconds(5000)), 100), "give");

    Pipe empty;
    empty.writing.Reset();
    EXPECT_EQ(ReadTextUntilClosed(empty.reading.Get(), In(milliseconds(5000)), 100), "");
}

TEST(ReadTextUntilClosed, GivesUpOnAnOwnerThatNeverFinishes) {
    Pipe silent;
    const auto deadline = In(milliseconds(100));
    EXPECT_THROW(ReadTextUntilClosed(silent.reading.Get(), deadline, 100), ClipboardUnreadable);
    EXPECT_GE(WaylandClock::now(), deadline);

    // Part of a text, then nothing more.
    Pipe halting;
    halting.Write("hap");
    EXPECT_THROW(ReadTextUntilClosed(halting.reading.Get(), In(milliseconds(100)), 100),
                 ClipboardUnreadable);
}

TEST(ReadTextUntilClosed, RefusesATextLongerThanTheLimit) {
    Pipe long_text;
    long_text.Write(std::string(200, 'a'));
    long_text.writing.Reset();
    EXPECT_THROW(ReadTextUntilClosed(long_text.reading.Get(), In(milliseconds(5000)), 100),
                 ClipboardUnreadable);
}

}  // namespace
}  // namespace quorvantix
