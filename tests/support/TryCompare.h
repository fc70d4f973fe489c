#pragma once

#include <QTest>

// QTRY_COMPARE, written so that it builds with -Wconversion on every Qt 6 we build with: Qt 6.8's
// own expansion narrows its timeout from long to int. Waits up to five seconds for `actual` to
// equal `expected`, then compares them: a timeout is reported by the comparison, with both
// values.
#define TRY_COMPARE(actual, expected)                                               \
    do {                                                                            \
        static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); })); \
        QCOMPARE(actual, expected);                                                 \
    } while (false)
