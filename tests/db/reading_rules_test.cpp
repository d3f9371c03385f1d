// Every column type a real database holds, read by each reading rule, on a
// dialect-1 and on a dialect-3 database (they store numbers and dates
// differently but must read the same).
#include "db/connection.h"
#include "db/statement.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

using db::DatabaseError;
using testsupport::TestDatabase;

// Columns common to both dialects. In dialect 1 NUMERIC(15,2) is stored as a
// double and DATE keeps the time; in dialect 3 they are a scaled BIGINT and
// a date alone.
constexpr const char* kSchema = R"sql(
create table t (
  id integer not null primary key,
  vc varchar(20),
  ch char(6),
  bl blob sub_type text,
  sm smallint,
  it integer,
  n152 numeric(15,2),
  n92 numeric(9,2),
  d41 decimal(4,1),
  fl float,
  dp double precision,
  dt date,
  ts timestamp
);
insert into t (id) values (0);
insert into t values (1, 'Ação é€ ', 'ab', 'linha çã€ longa', -7, 2147483647,
  1234.56, -0.05, 12.5, 1.1, 0.1, '{DATE}', '03.02.2010 14:05:09');
insert into t values (2, '12,5', '  7.25', '42', 2, -3, 2.5, 2.5, -2.5, 3.5, 2.5, '29.02.2000', '31.12.1999 23:59:59.9999');
insert into t values (3, 'abc', '', '', 0, 0, 3.5, 3.5, 3.5, -2.5, -2.5, '01.01.1900', '01.01.1900');
insert into t values (4, '2010-02-03 14:05', '3.5', '03.02.2010', 0, 0, -2.5, -2.5, 0, 0, 7.5e9, null, null);
)sql";

class ReadingRules : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        // A dialect-3 DATE refuses a time of day; a dialect-1 DATE keeps it.
        std::string schema = kSchema;
        schema.replace(schema.find("{DATE}"), 6, GetParam() == 1 ? "03.02.2010 14:05:09" : "03.02.2010");
        database = std::make_unique<TestDatabase>(schema, TestDatabase::Options{GetParam(), "WIN1252"});
        connection.open(database->params());
        transaction.emplace(connection, db::Isolation::ReadOnly);
    }

    // The row with the given id, opened on a statement kept alive with it.
    db::Cursor& row(int id) {
        statement = std::make_unique<db::Statement>(*transaction, "select * from t where id = :id");
        statement->bind("id", std::to_string(id));
        result = std::make_unique<db::Cursor>(statement->open());
        EXPECT_TRUE(result->next());
        return *result;
    }

    std::size_t col(const char* name) { return result->findColumn(name); }

    std::unique_ptr<TestDatabase> database;
    db::Connection connection;
    std::optional<db::Transaction> transaction;
    std::unique_ptr<db::Statement> statement;
    std::unique_ptr<db::Cursor> result;
};

TEST_P(ReadingRules, TextRuleGivesCharacterDataAsStoredAndNumbersAsDecimals) {
    db::Cursor& r = row(1);
    EXPECT_EQ(r.text(col("vc")), "Ação é€ ");
    EXPECT_EQ(r.text(col("ch")), "ab    ");  // CHAR keeps its blanks
    EXPECT_EQ(r.text(col("bl")), "linha çã€ longa");
    EXPECT_EQ(r.text(col("sm")), "-7");
    EXPECT_EQ(r.text(col("it")), "2147483647");
    EXPECT_EQ(r.text(col("n152")), "1234.56");
    EXPECT_EQ(r.text(col("n92")), "-0.05");
    EXPECT_EQ(r.text(col("d41")), "12.5");
    EXPECT_EQ(r.text(col("fl")), "1.1");
    EXPECT_EQ(r.text(col("dp")), "0.1");
    EXPECT_EQ(r.text(col("ts")), "03.02.2010 14:05:09");
    EXPECT_EQ(r.text(col("dt")), GetParam() == 1 ? "03.02.2010 14:05:09" : "03.02.2010");

    // appendText adds to what the caller already holds.
    std::string out = "x";
    r.appendText(col("ch"), out);
    r.appendText(col("sm"), out);
    EXPECT_EQ(out, "xab    -7");
}

TEST_P(ReadingRules, RealRuleScalesFixedPointOnceWhateverItsStorage) {
    db::Cursor& r = row(1);
    EXPECT_DOUBLE_EQ(r.asReal(col("n152")), 1234.56);
    EXPECT_DOUBLE_EQ(r.asReal(col("n92")), -0.05);
    EXPECT_DOUBLE_EQ(r.asReal(col("d41")), 12.5);
    EXPECT_DOUBLE_EQ(r.asReal(col("sm")), -7);
    EXPECT_DOUBLE_EQ(r.asReal(col("it")), 2147483647.0);
    EXPECT_EQ(r.asReal(col("fl")), 1.1);
    EXPECT_EQ(r.asReal(col("dp")), 0.1);
    // A date reads as days since 30.12.1899 with the time as fraction.
    EXPECT_NEAR(r.asReal(col("ts")), 40212 + (14 * 3600 + 5 * 60 + 9) / 86400.0, 1e-9);
}

TEST_P(ReadingRules, RealRuleParsesTextColumns) {
    db::Cursor& r = row(2);
    EXPECT_DOUBLE_EQ(r.asReal(col("vc")), 12.5);  // comma as decimal separator
    EXPECT_DOUBLE_EQ(r.asReal(col("ch")), 7.25);  // CHAR blanks around it
    EXPECT_DOUBLE_EQ(r.asReal(col("bl")), 42);    // text BLOB

    db::Cursor& bad = row(3);
    try {
        bad.asReal(col("vc"));
        FAIL() << "text 'abc' read as a real";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), "'abc' is not a valid floating point value");
        EXPECT_FALSE(e.updateConflict());
    }
    EXPECT_THROW(bad.asReal(col("bl")), DatabaseError);  // empty text
}

TEST_P(ReadingRules, IntegerRuleRoundsHalvesToEven) {
    db::Cursor& r2 = row(2);
    EXPECT_EQ(r2.asInteger(col("n152")), 2);  // 2.5
    EXPECT_EQ(r2.asInteger(col("n92")), 2);   // 2.50
    EXPECT_EQ(r2.asInteger(col("d41")), -2);  // -2.5
    EXPECT_EQ(r2.asInteger(col("fl")), 4);    // 3.5
    EXPECT_EQ(r2.asInteger(col("dp")), 2);    // 2.5
    EXPECT_EQ(r2.asInteger(col("bl")), 42);   // text
    EXPECT_EQ(r2.asInteger(col("it")), -3);

    db::Cursor& r3 = row(3);
    EXPECT_EQ(r3.asInteger(col("n152")), 4);  // 3.5
    EXPECT_EQ(r3.asInteger(col("n92")), 4);
    EXPECT_EQ(r3.asInteger(col("d41")), 4);
    EXPECT_EQ(r3.asInteger(col("fl")), -2);  // -2.5
    EXPECT_EQ(r3.asInteger(col("dp")), -2);
    EXPECT_THROW(r3.asInteger(col("vc")), DatabaseError);

    db::Cursor& r4 = row(4);
    EXPECT_EQ(r4.asInteger(col("n152")), -2);  // -2.5
    EXPECT_EQ(r4.asInteger(col("ch")), 4);     // text "3.5"
    try {
        r4.asInteger(col("dp"));  // 7.5e9 does not fit
        FAIL() << "7.5e9 read as a 32-bit integer";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), "'7500000000' is not a valid integer value");
    }
}

TEST_P(ReadingRules, DateRuleReadsDateColumnsAndDateTexts) {
    db::Cursor& r1 = row(1);
    const db::DateTime ts = r1.asDateTime(col("ts"));
    EXPECT_EQ(ts.year, 2010);
    EXPECT_EQ(ts.month, 2);
    EXPECT_EQ(ts.day, 3);
    EXPECT_EQ(ts.hour, 14);
    EXPECT_EQ(ts.minute, 5);
    EXPECT_EQ(ts.second, 9);
    const db::DateTime dt = r1.asDateTime(col("dt"));
    EXPECT_EQ(dt.day, 3);
    EXPECT_EQ(dt.hour, GetParam() == 1 ? 14 : 0);  // a date alone is midnight

    db::Cursor& r2 = row(2);
    const db::DateTime leap = r2.asDateTime(col("dt"));
    EXPECT_EQ(leap.year, 2000);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
    const db::DateTime lastMoment = r2.asDateTime(col("ts"));  // fractions dropped, not rounded
    EXPECT_EQ(lastMoment.year, 1999);
    EXPECT_EQ(lastMoment.second, 59);
    EXPECT_EQ(r2.text(col("ts")), "31.12.1999 23:59:59");

    db::Cursor& r4 = row(4);
    const db::DateTime iso = r4.asDateTime(col("vc"));  // "2010-02-03 14:05"
    EXPECT_EQ(iso.year, 2010);
    EXPECT_EQ(iso.day, 3);
    EXPECT_EQ(iso.hour, 14);
    EXPECT_EQ(iso.minute, 5);
    EXPECT_EQ(iso.second, 0);
    const db::DateTime dotted = r4.asDateTime(col("bl"));  // "03.02.2010"
    EXPECT_EQ(dotted.month, 2);
    EXPECT_EQ(dotted.hour, 0);
    EXPECT_THROW(r4.asDateTime(col("ch")), DatabaseError);   // "3.5"
    EXPECT_THROW(r4.asDateTime(col("n92")), DatabaseError);  // not a date column
}

TEST_P(ReadingRules, NullGivesEmptyZeroOrDayZero) {
    db::Cursor& r = row(0);
    for (const char* name : {"vc", "ch", "bl", "sm", "it", "n152", "n92", "d41", "fl", "dp", "dt", "ts"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(r.isNull(col(name)));
        EXPECT_EQ(r.text(col(name)), "");
    }
    for (const char* name : {"sm", "it", "n152", "n92", "d41", "fl", "dp"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(r.asReal(col(name)), 0);
        EXPECT_EQ(r.asInteger(col(name)), 0);
    }
    for (const char* name : {"dt", "ts"}) {
        const db::DateTime d = r.asDateTime(col(name));
        EXPECT_EQ(d.year, 1899);
        EXPECT_EQ(d.month, 12);
        EXPECT_EQ(d.day, 30);
        EXPECT_EQ(d.hour + d.minute + d.second, 0);
    }
    // A NULL text is no number and no date, like an empty one.
    EXPECT_THROW(r.asReal(col("vc")), DatabaseError);
    EXPECT_THROW(r.asInteger(col("ch")), DatabaseError);
    EXPECT_THROW(r.asDateTime(col("bl")), DatabaseError);
}

TEST_P(ReadingRules, DoubleQuotedTextsAreStringConstantsWhateverTheDatabaseDialect) {
    db::Statement s(*transaction, "select \"it's\" from t where vc = \"abc\"");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.text(0), "it's");
    EXPECT_FALSE(r.next());
}

INSTANTIATE_TEST_SUITE_P(Dialects, ReadingRules, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });

// Types only a dialect-3 database has.
TEST(ReadingRulesDialect3, BigintAndTimeColumns) {
    TestDatabase database(R"sql(
        create table t3 (bi bigint, big numeric(18,4), tm time, d date);
        insert into t3 values (-9223372036854775808, 12345678901234.5678, '14:05:09', '2010-02-03');
        insert into t3 values (3000000000, -0.5, null, null);
    )sql",
                          TestDatabase::Options{3, "WIN1252"});
    db::Connection c;
    c.open(database.params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    db::Statement s(reading, "select bi, big, tm, d from t3 order by bi");
    db::Cursor r = s.open();

    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.text(0), "-9223372036854775808");
    EXPECT_EQ(r.text(1), "12345678901234.5678");
    EXPECT_EQ(r.text(2), "14:05:09");
    EXPECT_EQ(r.text(3), "03.02.2010");
    const db::DateTime time = r.asDateTime(2);  // a time alone stands on day zero
    EXPECT_EQ(time.year, 1899);
    EXPECT_EQ(time.day, 30);
    EXPECT_EQ(time.hour, 14);
    EXPECT_EQ(time.second, 9);
    EXPECT_THROW(r.asInteger(0), DatabaseError);

    ASSERT_TRUE(r.next());
    EXPECT_THROW(r.asInteger(0), DatabaseError);  // 3000000000
    EXPECT_DOUBLE_EQ(r.asReal(0), 3e9);
    EXPECT_EQ(r.text(1), "-0.5");
    EXPECT_EQ(r.asInteger(1), 0);  // -0.5 to the even neighbour
    EXPECT_FALSE(r.next());
    EXPECT_FALSE(r.next());  // the end mark stays
}

}  // namespace
