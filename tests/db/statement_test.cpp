// Statements against a real database: named parameters, texts crossing the
// WIN1252 boundary, column lookup, and running a statement again.
#include "db/statement.h"
#include "db/connection.h"
#include "support/test_database.h"

#include <gtest/gtest.h>
#include <ibase.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using db::DatabaseError;
using testsupport::TestDatabase;

constexpr const char* kQueue = R"sql(
create table integecf (
  codempresa varchar(10), ecf varchar(10), tabela varchar(10), chave0 varchar(20),
  acao char(1), atualizou char(1));
insert into integecf values ('01', '001', 'CADOPER', 'A', 'I', null);
insert into integecf values ('01', '002', 'CADOPER', 'B', 'A', null);
insert into integecf values ('02', '001', 'CADOPER', 'C', 'E', null);
insert into integecf values ('01', '001', 'PRODUTO', 'D', 'I', null);
create table texts (id integer, txt varchar(40), note blob sub_type text);
)sql";

class Statements : public ::testing::Test {
protected:
    void SetUp() override {
        connection.open(database.params());
        transaction.emplace(connection);
    }

    std::vector<std::string> column0(db::Statement& s) {
        std::vector<std::string> values;
        db::Cursor r = s.open();
        while (r.next()) values.push_back(r.text(0));
        return values;
    }

    TestDatabase database{kQueue};
    db::Connection connection;
    std::optional<db::Transaction> transaction;
};

TEST_F(Statements, NamedParametersBindEveryOccurrenceWhateverTheirCase) {
    // :Emp appears twice; binding it once must reach both places.
    db::Statement s(*transaction,
                    "select chave0 from integecf where codempresa = :Emp and ecf = :PEcf "
                    "and tabela = \"CADOPER\" and :EMP = codempresa order by chave0");
    s.bind("emp", "01");
    s.bind("pecf", "001");
    EXPECT_EQ(column0(s), (std::vector<std::string>{"A"}));

    s.bind("PEcf", "002");  // rebinding replaces the value
    EXPECT_EQ(column0(s), (std::vector<std::string>{"B"}));
}

// A terminal may send any text: one longer than the column it is compared
// with, in a query, an update or a delete, simply matches nothing.
TEST_F(Statements, TextsLongerThanTheirColumnMatchNothing) {
    db::Statement read(*transaction, "select chave0 from integecf where codempresa = :Emp and tabela = :Tab");
    read.bind("Emp", "01");
    read.bind("Tab", "CADOPER-AND-MORE-THAN-TEN");
    EXPECT_TRUE(column0(read).empty());
    read.bind("Tab", "CADOPER   ");  // trailing blanks still compare equal
    EXPECT_EQ(column0(read).size(), 2u);
    read.bind("Tab", "CADOPER" + std::string(400, ' '));  // past the short cast too
    EXPECT_EQ(column0(read).size(), 2u);

    db::Statement mark(*transaction, "update integecf set atualizou = \"X\" where ecf = :Ecf");
    mark.bind("Ecf", std::string(300, '1'));
    EXPECT_NO_THROW(mark.execute());
    db::Statement drop(*transaction, "delete from integecf where tabela = :Tab");
    drop.bind("Tab", std::string(5000, 'T'));
    EXPECT_NO_THROW(drop.execute());

    // Longer than any VARCHAR can be: no column can hold it either.
    read.bind("Tab", std::string(32766, 'C'));
    EXPECT_TRUE(column0(read).empty());
    read.bind("Tab", "CADOPER");
    EXPECT_EQ(column0(read).size(), 2u) << "the long text stuck to the parameter";
    mark.bind("Ecf", std::string(1 << 20, '1'));
    EXPECT_NO_THROW(mark.execute());
    drop.bind("Tab", std::string(40000, 'P'));
    EXPECT_NO_THROW(drop.execute());
    db::Statement count(*transaction, "select count(*) from integecf where atualizou is null");
    EXPECT_EQ(column0(count), (std::vector<std::string>{"4"}));
}

// A name compared with "=" goes bare and takes its column's type: it must
// find exactly what a text of its own finds, whatever the column's character
// set, collation or padding, on either side of the "=", and a longer text
// must match nothing; beside a column that is not text, it is cast.
TEST(NamedParameterTypes, AnEqualityFindsWhatATextOfItsOwnFinds) {
    TestDatabase database{R"sql(
create table kinds (id integer, n varchar(6) character set none, w varchar(6), u varchar(6) character set utf8,
  c char(6), p varchar(6) collate win_ptbr, i varchar(6) character set utf8 collate unicode_ci_ai);
insert into kinds values (1, 'ABC', 'ABC', 'ABC', 'ABC', 'ABC', 'ABC');
insert into kinds values (2, 'abc', 'abc', 'abc', 'abc', 'abc', 'abc');
insert into kinds values (3, 'Ação', 'Ação', 'Ação', 'Ação', 'Ação', 'Ação');
insert into kinds values (4, 'ACAO', 'ACAO', 'ACAO', 'ACAO', 'ACAO', 'ACAO');
insert into kinds values (5, 'ABC  ', 'ABC  ', 'ABC  ', 'ABC  ', 'ABC  ', 'ABC  ');
insert into kinds values (6, ' ABC', ' ABC', ' ABC', ' ABC', ' ABC', ' ABC');
)sql"};
    db::Connection connection;
    connection.open(database.params());
    db::Transaction transaction(connection, db::Isolation::ReadOnly);
    const auto ids = [&](const std::string& sql, const std::string& value) {
        db::Statement s(transaction, sql);
        s.bind("v", value);
        std::string found;
        db::Cursor r = s.open();
        while (r.next()) found += r.text(0) + " ";
        return found;
    };
    const std::string own = "cast(:v as varchar(255) character set win1252)";
    for (const std::string& column : std::vector<std::string>{"n", "w", "u", "c", "p", "i"}) {
        for (const std::string& value : std::vector<std::string>{"ABC", "abc", "ação", "ACAO", "ABC   ", " ABC",
                                                                 "ABCDEFG", "ABC" + std::string(300, ' '), ""}) {
            const std::string where = "select id from kinds where ";
            const std::string expected = ids(where + column + " = " + own + " order by id", value);
            EXPECT_EQ(ids(where + column + " = :v order by id", value), expected) << column << " = '" << value << "'";
            EXPECT_EQ(ids(where + ":v = " + column + " order by id", value),
                      ids(where + own + " = " + column + " order by id", value))
                << "'" << value << "' = " << column;
        }
    }
    EXPECT_EQ(ids("select id from kinds where id = :v", "1.0"), "1 ");
}

TEST_F(Statements, ColonsInsideStringsAndCommentsAreNoParameters) {
    db::Statement s(*transaction,
                    "select ':x' || \":y\" || '' || 'it''s :z' -- :c1 here\n"
                    " /* :c2 */ , codempresa from integecf where chave0 = :key");
    s.bind("key", "A");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.text(0), ":x:yit's :z");
    EXPECT_THROW(s.bind("x", "1"), DatabaseError);
    EXPECT_THROW(s.bind("c1", "1"), DatabaseError);
}

TEST_F(Statements, MissingOrUnknownParametersAreReported) {
    db::Statement s(*transaction, "select chave0 from integecf where codempresa = :PCodEmpresa and ecf = :PEcf");
    s.bind("PCodEmpresa", "01");
    try {
        s.open();
        FAIL() << "opened without a value for PEcf";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), "No value for parameter 'PEcf'");
    }
    try {
        s.bind("PTabela", "X");
        FAIL() << "bound a parameter the statement does not have";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), "Parameter 'PTabela' not found");
    }
}

TEST_F(Statements, DoubleQuotedTextsAreStringConstants) {
    db::Statement s(*transaction, "select count(*) from integecf where tabela = \"CADOPER\" and acao = \"I\"");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.asInteger(0), 1);
}

TEST_F(Statements, AccentedTextsTravelAsWin1252AndReadBackAsUtf8) {
    const std::string text = "Ação é ç ã € ƒ Ÿ";
    db::Statement insert(*transaction, "insert into texts (id, txt, note) values (1, :t, :t)");
    insert.bind("t", text);
    insert.execute();

    // Stored one byte per character, with the WIN1252 codes.
    db::Statement check(*transaction,
                        "select octet_length(txt), ascii_val(substring(txt from 2 for 1)), "
                        "ascii_val(substring(txt from 12 for 1)), txt, note from texts where id = 1");
    db::Cursor r = check.open();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.asInteger(0), 16);
    EXPECT_EQ(r.asInteger(1), 0xE7);  // ç
    EXPECT_EQ(r.asInteger(2), 0x80);  // €
    EXPECT_EQ(r.text(3), text);
    EXPECT_EQ(r.text(4), text);

    // Compared by the server in WIN1252 as well.
    db::Statement find(*transaction, "select id from texts where txt = :t");
    find.bind("t", text);
    EXPECT_EQ(column0(find), (std::vector<std::string>{"1"}));
}

TEST_F(Statements, TextsWithoutWin1252FormBecomeQuestionMarks) {
    db::Statement insert(*transaction, "insert into texts (id, txt) values (:id, :t)");
    insert.bind("id", "2");
    insert.bind("t", "日本 ok");
    insert.execute();
    insert.bind("id", "3");
    insert.bind("t", std::string("bad \xC3 \xFF\xFE end"));  // malformed UTF-8
    insert.execute();

    db::Statement s(*transaction, "select txt from texts where id in (2, 3) order by id");
    EXPECT_EQ(column0(s), (std::vector<std::string>{"?? ok", "bad ? ?? end"}));
}

TEST_F(Statements, ColumnsAreFoundByAliasThenFieldWithoutRegardToCase) {
    db::Statement s(*transaction, "select integecf.acao, chave0 as Chave, ecf from integecf where chave0 = 'A'");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.columnCount(), 3u);
    EXPECT_EQ(r.findColumn("Acao"), 0u);
    EXPECT_EQ(r.findColumn("ACAO"), 0u);
    EXPECT_EQ(r.findColumn("chave"), 1u);
    EXPECT_EQ(r.findColumn("CHAVE0"), 1u);  // the field behind the alias
    try {
        r.findColumn("Atualizou");
        FAIL() << "found a column that was not selected";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), "Field 'Atualizou' not found");
    }
}

// Described in more bytes than the first answer holds, a wide select list
// is read whole all the same.
TEST_F(Statements, EveryColumnOfAWideSelectListIsRead) {
    const auto alias = [](int i) { return "Column_With_A_Long_Alias_" + std::to_string(1000 + i); };
    std::string sql = "select ";
    for (int i = 0; i < 400; ++i) sql += (i ? ", " : "") + std::to_string(i) + " as " + alias(i);
    db::Statement s(*transaction, sql + " from rdb$database");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    ASSERT_EQ(r.columnCount(), 400u);
    for (int i : {0, 199, 399}) {
        EXPECT_EQ(r.findColumn(alias(i)), std::size_t(i));
        EXPECT_EQ(r.asInteger(std::size_t(i)), i);
    }
}

TEST_F(Statements, OpeningAgainRunsTheStatementAgain) {
    // The frame counts the rows, then reads them in a second execution.
    db::Statement s(*transaction, "select chave0 from integecf where codempresa = :e order by chave0");
    s.bind("e", "01");
    EXPECT_EQ(column0(s).size(), 3u);

    db::Cursor first = s.open();
    ASSERT_TRUE(first.next());
    database.execute("insert into integecf values ('01', '009', 'CADOPER', 'Z', 'I', null)");
    db::Cursor second = s.open();  // ends the first result
    EXPECT_FALSE(first.next());
    std::vector<std::string> keys;
    while (second.next()) keys.push_back(second.text(0));
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "B", "D", "Z"}));
}

TEST_F(Statements, ResultOutlivingItsStatementEndsQuietly) {
    auto s = std::make_unique<db::Statement>(*transaction, "select chave0 from integecf");
    db::Cursor r = s->open();
    ASSERT_TRUE(r.next());
    s.reset();
    EXPECT_FALSE(r.next());
}

TEST_F(Statements, ServerErrorsCarryTheClientMessage) {
    try {
        db::Statement s(*transaction, "select nothere from integecf");
        FAIL() << "prepared a statement naming an unknown column";
    } catch (const DatabaseError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("Column unknown"), std::string::npos) << m;
        EXPECT_NE(m.find("NOTHERE"), std::string::npos) << m;
        EXPECT_FALSE(e.updateConflict());
        EXPECT_EQ(e.errorCode(), isc_dsql_error);
        EXPECT_EQ(e.sqlState(), "42S22");  // column not found
    }
    db::Statement s(*transaction, "insert into texts (id) values (:id)");
    s.bind("id", "not a number");
    EXPECT_THROW(s.execute(), DatabaseError);
}

}  // namespace
