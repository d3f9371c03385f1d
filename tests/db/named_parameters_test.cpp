// Mapping ":Name" parameters to "?" positions without touching strings and
// comments; and the script splitter the test databases are built with.
#include "common/text.h"
#include "db/statement.h"
#include "support/sql_script.h"

#include <gtest/gtest.h>

namespace {

using db::toPositional;

TEST(NamedParameters, NamesBecomePositionsInOrder) {
    const auto p =
        toPositional("select * from t where a = :PCodEmpresa and b = :PEcf and c = :PCodEmpresa", 255, false);
    const std::string named = "CAST(? AS VARCHAR(255) CHARACTER SET WIN1252)";
    EXPECT_EQ(p.sql, "select * from t where a = " + named + " and b = " + named + " and c = " + named);
    EXPECT_EQ(p.names, (std::vector<std::string>{"PCodEmpresa", "PEcf", "PCodEmpresa"}));

    const auto q = toPositional("where x=:a_1$b)and y=? and z = :", 255, false);
    EXPECT_EQ(q.sql, "where x=" + named + ")and y=? and z = :");
    EXPECT_EQ(q.names, (std::vector<std::string>{"a_1$b", ""}));
}

// Only a name alone on one side of "=" takes the column's type.
TEST(NamedParameters, EqualitiesStayBareAndEverythingElseIsCast) {
    const auto p = toPositional(
        "where a = :A and :B=b and c <= :C and d <> :D and e >= :E and f like :F and :G || 'x' = g and h =\n:H", 9,
        true);
    const std::string named = db::namedParameter(9);
    EXPECT_EQ(p.sql, "where a = ? and ?=b and c <= " + named + " and d <> " + named + " and e >= " + named +
                         " and f like " + named + " and " + named + " || 'x' = g and h =\n?");
    EXPECT_EQ(p.bare, (std::vector<bool>{true, true, false, false, false, false, false, true}));
}

TEST(NamedParameters, QuotedTextAndCommentsAreLeftAlone) {
    const char* sql = "select ':a', \":b\", 'it''s :c', \"x\"\":d\" -- :e ?\n/* :f\n ? */ :g";
    const auto p = toPositional(sql, 32765, false);
    EXPECT_EQ(p.sql, "select ':a', \":b\", 'it''s :c', \"x\"\":d\" -- :e ?\n/* :f\n ? */ " + db::namedParameter(32765));
    EXPECT_EQ(p.names, (std::vector<std::string>{"g"}));

    // Unterminated quotes and comments swallow the rest, as the server would.
    EXPECT_TRUE(toPositional("select ':a", 1, true).names.empty());
    EXPECT_TRUE(toPositional("select /* :a", 1, true).names.empty());
    EXPECT_TRUE(toPositional("select -- :a", 1, true).names.empty());
}

TEST(NamedParameters, NamesCompareWithoutRegardToCase) {
    EXPECT_TRUE(velmora::equalsIgnoringCase("PCodEmpresa", "pcodempresa"));
    EXPECT_FALSE(velmora::equalsIgnoringCase("PEcf", "PEcf2"));
    EXPECT_FALSE(velmora::equalsIgnoringCase("\xC9", "\xE9"));  // ASCII letters only
}

TEST(SqlScript, SplitsOnTerminatorsOutsideQuotesAndComments) {
    const auto parts = testsupport::splitSqlScript(R"sql(
        create table t (a varchar(5)); -- a comment; with a semicolon
        insert into t values ('x;y');
        /* ; */ insert into t values ("a;b");
        set term ^ ;
        create trigger tr for t before insert as begin new.a = 'z'; end^
        set term ; ^
        commit;
        -- trailing comment only
    )sql");
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[0], "create table t (a varchar(5))");
    EXPECT_EQ(parts[1], "-- a comment; with a semicolon\n        insert into t values ('x;y')");
    EXPECT_EQ(parts[2], "/* ; */ insert into t values (\"a;b\")");
    EXPECT_EQ(parts[3], "create trigger tr for t before insert as begin new.a = 'z'; end");
    EXPECT_EQ(parts[4], "commit");
}

}  // namespace
