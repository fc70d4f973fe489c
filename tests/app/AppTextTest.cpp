// The window's plain routines: digits, the placement file's rules, files, clipboard text and the
// reporting boundary.

#include <QTest>
#include <filesystem>
#include <stdexcept>

#include "app/ClipboardText.h"
#include "app/FailureReport.h"
#include "app/NumberText.h"
#include "app/PlacementText.h"
#include "app/PlatformChoice.h"
#include "app/TextFile.h"
#include "tests/support/FixedClipboard.h"
#include "tests/support/TestDictionary.h"

using namespace quorvantix;
using quorvantix::testing::FixedClipboard;
using quorvantix::testing::ReadBytes;
using quorvantix::testing::TempDir;
using quorvantix::testing::WriteBytes;

Q_DECLARE_METATYPE(WindowPlacement)

namespace QTest {
template <>
char* toString(const WindowPlacement& p) {
    return qstrdup(QByteArray::fromStdString(
                       PlacementText(p.left, p.top, p.width, p.height, std::to_string(p.limit)))
                       .replace("\r\n", " ")
                       .constData());
}
}  // namespace QTest

namespace {

WindowPlacement Placement(int left, int top, int width, int height, int limit) {
    return WindowPlacement{left, top, width, height, limit};
}

}  // namespace

class AppTextTest : public QObject {
    Q_OBJECT

  private slots:
    void stepNumberText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("up at the top") << QByteArray("255") << true << QByteArray("255");
        QTest::newRow("down at the bottom") << QByteArray("1") << false << QByteArray("1");
        QTest::newRow("up from zero") << QByteArray("0") << true << QByteArray("1");
        QTest::newRow("down from above the top") << QByteArray("300") << false << QByteArray("255");
        QTest::newRow("leading zeros") << QByteArray("007") << true << QByteArray("8");
        QTest::newRow("huge") << QByteArray("99999999999999999999") << true << QByteArray("255");
        QTest::newRow("not a number") << QByteArray("5a") << true << QByteArray("0");
    }
    void stepNumberText() {
        QFETCH(QByteArray, text);
        QFETCH(bool, up);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(StepNumberText(text.toStdString(), up, 1, 1, 255)),
                 expected);
    }

    void readPlacement_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<WindowPlacement>("expected");
        const WindowPlacement defaults;
        QTest::newRow("no file") << QByteArray() << defaults;
        QTest::newRow("five lines")
            << QByteArray("10\r\n20\r\n400\r\n300\r\n60\r\n") << Placement(10, 20, 400, 300, 60);
        QTest::newRow("last line without line end")
            << QByteArray("10\r\n20\r\n400\r\n300\r\n60") << Placement(10, 20, 400, 300, 60);
        QTest::newRow("six lines")
            << QByteArray("10\r\n20\r\n400\r\n300\r\n60\r\n\r\n") << defaults;
        QTest::newRow("four lines") << QByteArray("10\r\n20\r\n400\r\n300\r\n") << defaults;
        QTest::newRow("leading zeros")
            << QByteArray("0100\r\n20\r\n400\r\n300\r\n60\r\n") << Placement(100, 20, 400, 300, 60);
        QTest::newRow("five digits keeps the default")
            << QByteArray("10000\r\n20\r\n400\r\n300\r\n60\r\n") << Placement(0, 20, 400, 300, 60);
        QTest::newRow("space keeps the default")
            << QByteArray("10\r\n 12\r\n400\r\n300\r\n60\r\n") << Placement(10, 0, 400, 300, 60);
        QTest::newRow("negative keeps the default")
            << QByteArray("-8\r\n-8\r\n400\r\n300\r\n60\r\n") << Placement(0, 0, 400, 300, 60);
        QTest::newRow("empty line keeps the default")
            << QByteArray("10\r\n20\r\n\r\n300\r\n60\r\n") << Placement(10, 20, 320, 300, 60);
        QTest::newRow("limit 0") << QByteArray("10\r\n20\r\n400\r\n300\r\n0\r\n")
                                 << Placement(10, 20, 400, 300, 0);
        QTest::newRow("mixed line ends")
            << QByteArray("10\n20\r400\r\n300\n60") << Placement(10, 20, 400, 300, 60);
        QTest::newRow("NUL ends the text")
            << QByteArray("10\r\n20\r\n400\r\n300\r\n60\0\r\n99\r\n", 25)
            << Placement(10, 20, 400, 300, 60);
    }
    void readPlacement() {
        QFETCH(QByteArray, text);
        QFETCH(WindowPlacement, expected);
        QCOMPARE(ReadPlacement(std::string_view(text.data(), text.size())), expected);
    }

    void clampPlacement_data() {
        QTest::addColumn<WindowPlacement>("read");
        QTest::addColumn<WindowPlacement>("expected");
        QTest::newRow("inside") << Placement(10, 20, 400, 300, 60)
                                << Placement(10, 20, 400, 300, 60);
        QTest::newRow("left at the area width")
            << Placement(1920, 0, 320, 270, 50) << Placement(1920, 0, 320, 270, 50);
        QTest::newRow("left beyond the area width")
            << Placement(1921, 0, 320, 270, 50) << Placement(0, 0, 320, 270, 50);
        QTest::newRow("top beyond the area height")
            << Placement(0, 1041, 320, 270, 50) << Placement(0, 0, 320, 270, 50);
        QTest::newRow("partly outside stays")
            << Placement(1900, 1000, 320, 270, 50) << Placement(1900, 1000, 320, 270, 50);
        QTest::newRow("below the minimum size")
            << Placement(0, 0, 100, 20, 50) << Placement(0, 0, 150, 150, 50);
        QTest::newRow("above the area size")
            << Placement(0, 0, 9999, 9999, 50) << Placement(0, 0, 1920, 1040, 50);
        QTest::newRow("limit above 255")
            << Placement(0, 0, 320, 270, 300) << Placement(0, 0, 320, 270, 255);
        QTest::newRow("limit 0 stays")
            << Placement(0, 0, 320, 270, 0) << Placement(0, 0, 320, 270, 0);
    }
    void clampPlacement() {
        QFETCH(WindowPlacement, read);
        QFETCH(WindowPlacement, expected);
        QCOMPARE(ClampPlacement(read, PlacementBounds{150, 150, 1920, 1040}), expected);
    }

    void placementTextReadsBack() {
        const std::string text = PlacementText(-5, 10, 320, 270, "50");
        QCOMPARE(QByteArray::fromStdString(text), QByteArray("-5\r\n10\r\n320\r\n270\r\n50\r\n"));
        QCOMPARE(ReadPlacement(text), Placement(0, 10, 320, 270, 50));
    }

    void readTextFile() {
        TempDir dir;
        QCOMPARE(ReadTextFile(dir.File("missing")), std::string());
        QCOMPARE(ReadTextFile(dir.path().string()), std::string());
        WriteBytes(dir.File("file"), std::string("a\0b\r\n", 5));
        QCOMPARE(ReadTextFile(dir.File("file")), std::string("a\0b\r\n", 5));
    }

    void readClipboardText_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("trimmed") << QByteArray(" \t Apple\r\n") << false << QByteArray("Apple");
        QTest::newRow("inner space stays")
            << QByteArray("ice cream ") << false << QByteArray("ice cream");
        QTest::newRow("cut at NUL") << QByteArray("word\0rest", 9) << false << QByteArray("word");
        QTest::newRow("blank") << QByteArray(" \r\n") << false << QByteArray("");
        QTest::newRow("failure") << QByteArray("word") << true << QByteArray("");
    }
    void readClipboardText() {
        QFETCH(QByteArray, content);
        QFETCH(bool, fails);
        QFETCH(QByteArray, expected);
        FixedClipboard clipboard(content.toStdString(), fails);
        QCOMPARE(QByteArray::fromStdString(ReadClipboardText(clipboard)), expected);
    }

    void reportingBoundary() {
        std::vector<std::string> reports;
        const FailureReporter report = [&](const std::string& message) {
            reports.push_back(message);
        };
        RunReported(report, [] { throw std::runtime_error("row 3 has no definition"); });
        RunReported(report, [] { throw 42; });
        RunReported(report, [] {});
        RunReported([](const std::string&) { throw std::runtime_error("box failed"); },
                    [] { throw std::runtime_error("first"); });
        QCOMPARE(reports, (std::vector<std::string>{"row 3 has no definition", "Unknown failure"}));
    }

    void platformChoice_data() {
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<bool>("argument");
        QTest::addColumn<QByteArray>("platform");
        const QByteArray none;
        QTest::newRow("wayland with XWayland")
            << none << QByteArray("wayland-0") << QByteArray(":0") << false << QByteArray("xcb");
        QTest::newRow("wayland without X")
            << none << QByteArray("wayland-0") << none << false << QByteArray("wayland");
        QTest::newRow("user chose by variable")
            << QByteArray("xcb") << QByteArray("wayland-0") << none << false << none;
        QTest::newRow("user chose by argument")
            << none << QByteArray("wayland-0") << QByteArray(":0") << true << none;
        QTest::newRow("plain X") << none << none << QByteArray(":0") << false << none;
        QTest::newRow("no desktop") << none << none << none << false << none;
    }
    void platformChoice() {
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(bool, argument);
        QFETCH(QByteArray, platform);
        const std::string user_choice = chosen.toStdString();
        const std::string wayland_display = wayland.toStdString();
        const std::string x_display = display.toStdString();
        const SessionFacts facts{user_choice, wayland_display, "", x_display, argument};
        QCOMPARE(QByteArray(QtPlatformFor(facts).data(), QtPlatformFor(facts).size()), platform);
    }
};

QTEST_APPLESS_MAIN(AppTextTest)
#include "AppTextTest.moc"
