#include <gtest/gtest.h>

#include <memory>

#include "platform/Connection.h"
#include "platform/DatabaseError.h"
#include "platform/RecordSet.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

class RecordSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteDictionary(file_, {{"a", "1"}, {"b", "2"}, {"c", std::nullopt}});
        connection_.Open(file_);
    }

    TempDir dir_;
    std::string file_ = dir_.File("db");
    db::Connection connection_;
    db::RecordSet records_;
};

TEST_F(RecordSetTest, WalksRowsForwardAndStartsOverOnMoveFirst) {
    records_.Open("SELECT fld1 FROM tbl00 WHERE fld1 < ?1 ORDER BY fld1", connection_, {"c"});
    ASSERT_FALSE(records_.BOF());
    ASSERT_FALSE(records_.Eof());
    EXPECT_EQ(records_.Fields("fld1").Value(), "a");
    records_.MoveNext();
    EXPECT_EQ(records_.Fields("fld1").Value(), "b");
    records_.MoveNext();
    EXPECT_TRUE(records_.Eof());
    EXPECT_THROW(records_.MoveNext(), db::DatabaseError);
    EXPECT_THROW(records_.Fields("fld1").Value(), db::DatabaseError);
    records_.MoveFirst();
    EXPECT_EQ(records_.Fields("fld1").Value(), "a");
    EXPECT_THROW(records_.Fields("nope"), db::DatabaseError);
    records_.Close();
    EXPECT_THROW(records_.BOF(), db::DatabaseError);
}

TEST_F(RecordSetTest, EmptyResultIsBothBofAndEofAndStatementsAreReused) {
    for (const char* word : {"zz", "b", "zz"}) {
        records_.Open("SELECT fld2 FROM tbl00 WHERE fld1 = ?1", connection_, {word});
        const bool empty = std::string(word) == "zz";
        EXPECT_EQ(records_.BOF(), empty) << word;
        EXPECT_EQ(records_.Eof(), empty) << word;
        records_.Close();
    }
}

// Each record set holds its own statement: one opened on the same SQL text does not move
// another back to its start, and a statement given back is used again.
TEST_F(RecordSetTest, RecordSetsOnOneStatementKeepTheirOwnPlaces) {
    const std::string sql = "SELECT fld1 FROM tbl00 ORDER BY fld1";
    records_.Open(sql, connection_);
    records_.MoveNext();
    db::RecordSet other;
    other.Open(sql, connection_);
    ASSERT_FALSE(other.Eof());
    EXPECT_EQ(other.Fields("fld1").Value(), "a");
    EXPECT_EQ(records_.Fields("fld1").Value(), "b");
    other.MoveNext();
    other.MoveNext();
    records_.MoveNext();
    EXPECT_EQ(records_.Fields("fld1").Value(), "c");
    EXPECT_EQ(other.Fields("fld1").Value(), "c");
    other.Close();
    records_.Close();
    records_.Open(sql, connection_);
    ASSERT_FALSE(records_.Eof());
    EXPECT_EQ(records_.Fields("fld1").Value(), "a");
}

// A record set may be closed, or destroyed, after its connection: the statement it holds is
// finalized then, and the file closed with it (the sanitizers' run checks the memory).
TEST_F(RecordSetTest, ARecordSetMayOutliveItsConnection) {
    auto connection = std::make_unique<db::Connection>();
    connection->Open(file_);
    db::RecordSet first;
    first.Open("SELECT fld1 FROM tbl00", *connection);
    ASSERT_FALSE(first.Eof());
    {
        db::RecordSet second;
        second.Open("SELECT fld2 FROM tbl00", *connection);
        connection->Close();
        EXPECT_TRUE(second.IsOpen());
    }
    connection.reset();
    first.Close();
    EXPECT_FALSE(first.IsOpen());
    db::Connection closed;
    EXPECT_THROW(first.Open("SELECT fld1 FROM tbl00", closed), db::DatabaseError);
}

TEST_F(RecordSetTest, RejectedStatementsNullValuesAndNonDatabasesRaise) {
    EXPECT_THROW(records_.Open("SELECT fld9 FROM tbl00", connection_), db::DatabaseError);
    EXPECT_THROW(records_.Open("SELECT FROM", connection_), db::DatabaseError);
    EXPECT_FALSE(records_.IsOpen());
    records_.Open("SELECT fld2 FROM tbl00 WHERE fld1 = 'c'", connection_);
    EXPECT_THROW(records_.Fields("fld2").Value(), db::DatabaseError);

    const std::string text_file = dir_.File("text");
    WriteBytes(text_file, "just some text, long enough to have been a header\n");
    db::Connection other;
    EXPECT_THROW(other.Open(text_file), db::DatabaseError);
    EXPECT_FALSE(other.IsOpen());
    EXPECT_THROW(other.Open(dir_.File("missing")), db::DatabaseError);
}

TEST_F(RecordSetTest, ConnectionIsReadOnly) {
    db::RecordSet writer;
    writer.Open("DELETE FROM tbl00", connection_);
    EXPECT_THROW(writer.Eof(), db::DatabaseError);
}

}  // namespace
}  // namespace quorvantix::testing
