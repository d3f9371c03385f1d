// How each kind's fields are read from the demo schema's columns: the dates
// with their kind's pattern, the declared fields that are never filled, and
// columns whose type differs from the field's (fixed-point into integers,
// numbers into texts, a text commission), as older databases hold them.
#include "demo_schema_fixture.h"
#include "kind_cases.h"

#include <cctype>
#include <stdexcept>

namespace {

using namespace recordstest;
using Strings = std::vector<std::string>;

class FieldReading : public DemoSchema {
protected:
    // The table's DATE columns (dialect 1: a date with a time of day), as the
    // schema declares them, whatever the record kind says.
    std::vector<std::string> dateColumns(const std::string& table) {
        std::string upper = table;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        db::Statement s(*transaction,
                        "select trim(rf.rdb$field_name) from rdb$relation_fields rf join rdb$fields f "
                        "on f.rdb$field_name = rf.rdb$field_source where rf.rdb$relation_name = '" +
                            upper + "' and f.rdb$field_type = 35 order by rf.rdb$field_position");
        db::Cursor r = s.open();
        std::vector<std::string> out;
        while (r.next()) {
            std::string name = r.text(0);
            for (std::size_t i = 1; i < name.size(); ++i)
                name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
            out.push_back(name);
        }
        return out;
    }

    // One source row of the kind with `columns` = `values`, queued once.
    testsupport::CollectedRecords readRow(const KindCase& k, const std::string& columns, const std::string& values) {
        const records::RecordKind& kind = *k.kind;
        exec(insertRow(k, keyValues(k), columns, values));
        queue("1", "001", k.kind->queueTable, queueKeys(k, keyValues(k)), 'I');
        testsupport::CollectedRecords got = load(kind);
        // Callers read record 0: stop here rather than read past the end.
        if (got.size() != 1) throw std::runtime_error(std::to_string(got.size()) + " records instead of 1");
        return got;
    }
};

// Every date column of the table, moment by moment: the minutes-and-seconds
// pattern everywhere except the order headers, which keep hours and minutes.
TEST_F(FieldReading, EveryDateColumnReadsWithItsKindsPattern) {
    struct Case {
        const char* table;
        std::size_t dates;
        const char* withTime;  // 3 Feb 2010 14:05:09
    };
    const Case cases[] = {
        {"Produto", 8, "03.02.2010 05:09"}, {"Cliente", 8, "03.02.2010 05:09"}, {"Vendend", 2, "03.02.2010 05:09"},
        {"Pedidoc", 6, "03.02.2010 14:05"}, {"Pedidoi", 1, "03.02.2010 05:09"}, {"Docurec", 3, "03.02.2010 05:09"},
        {"Movirec", 2, "03.02.2010 05:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        restart();
        const KindCase& k = kindCase(c.table);
        const records::RecordKind& kind = *k.kind;
        const std::vector<std::string> dates = dateColumns(c.table);
        ASSERT_EQ(dates.size(), c.dates);
        std::string columns, withTime, dateOnly;
        for (const std::string& d : dates) {
            columns += (columns.empty() ? "" : ", ") + d;
            withTime += std::string(withTime.empty() ? "" : ", ") + "'2010-02-03 14:05:09'";
            dateOnly += std::string(dateOnly.empty() ? "" : ", ") + "'2010-03-10'";
        }
        exec(insertRow(k, keyValues(k, "1"), columns, withTime));
        exec(insertRow(k, keyValues(k, "2"), columns, dateOnly));
        exec(insertRow(k, keyValues(k, "3")));
        queue("1", "001", k.kind->queueTable, queueKeys(k, keyValues(k, "1")), 'A', "2024-03-01");
        queue("1", "001", k.kind->queueTable, queueKeys(k, keyValues(k, "2")), 'B', "2024-03-02");
        queue("1", "001", k.kind->queueTable, queueKeys(k, keyValues(k, "3")), 'C', "2024-03-03");
        const testsupport::CollectedRecords got = load(kind);
        ASSERT_EQ(actions(got), "ABC");
        for (const std::string& d : dates)
            EXPECT_EQ(texts(got, d), (Strings{c.withTime, "10.03.2010 00:00", "30.12.1899 00:00"})) << d;
    }
}

// Times and date-like texts kept in character columns are not dates.
TEST_F(FieldReading, TimesKeptAsTextStayText) {
    auto got = readRow(kindCase("Vendend"), "Horaini, Horafim", "'08:00', '17:30'");
    EXPECT_EQ(texts(got, "Horaini"), Strings{"08:00"});
    EXPECT_EQ(texts(got, "Horafim"), Strings{"17:30"});
    restart();
    got = readRow(kindCase("Pedidoc"), "Hora, Horaentrega", "'14:05:09', '08:30'");
    EXPECT_EQ(texts(got, "Hora"), Strings{"14:05:09"});
    EXPECT_EQ(texts(got, "Horaentrega"), Strings{"08:30"});
    restart();
    got = readRow(kindCase("Movirec"), "Datahora", "'03/02/2010 14:05:09'");
    EXPECT_EQ(texts(got, "Datahora"), Strings{"03/02/2010 14:05:09"});
}

// Declared fields that no statement selects: empty, whatever the table holds.
TEST_F(FieldReading, UnfilledFieldsStayEmptyWhateverTheTableHolds) {
    struct Case {
        const char* table;
        const char* columns;
        const char* values;
        Strings fields;
        const char* filled;  // a neighbour that is read, and its text
        const char* filledText;
    };
    const Case cases[] = {
        {"Cliente",
         "Teste, Ats, Gruposproduto",
         "'não enviar', 'não enviar', 'GRU0'",
         {"Teste", "Ats"},
         "Gruposproduto",
         "GRU0"},
        {"Cadusua", "Usapalm, Autorizalimcli", "'S', 'N'", {"Usapalm"}, "Autorizalimcli", "N"},
        {"Vendend", "Codfid, Senhafarmpop", "'não enviar', 'f1'", {"Codfid"}, "Senhafarmpop", "f1"},
        {"Pedidoc",
         "Tipopedidoimportado, Codpedidoimportado, Tipointegracaovda, Codintegracaovda, Codempresapedido, "
         "Sistemaorigem",
         "'O', 'ORC-77', 'não enviar', 'não enviar', '9', 'SIS3'",
         {"Tipopedidoimportado", "Codpedidoimportado", "Tipointegracaovda", "Codintegracaovda", "Codempresapedido"},
         "Sistemaorigem",
         "SIS3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        restart();
        const testsupport::CollectedRecords got = readRow(kindCase(c.table), c.columns, c.values);
        for (const std::string& f : c.fields) EXPECT_EQ(texts(got, f), Strings{""}) << f;
        EXPECT_EQ(texts(got, c.filled), Strings{c.filledText});
    }
}

// Integer fields from fixed-point and floating-point columns round halves to
// even; reals come from every numeric storage; NULL numbers are 0 and NULL
// texts empty.
TEST_F(FieldReading, ProductNumbersConvertFromEveryNumericColumnType) {
    const KindCase& k = kindCase("Produto");
    const records::RecordKind& kind = *k.kind;
    // Diasestminimo NUMERIC(9,2) and Diasestmaximo DOUBLE into integers;
    // Aliqipi NUMERIC(4,2) (a scaled SMALLINT), Aliqiss NUMERIC(9,2) (a scaled
    // INTEGER), Preco NUMERIC(15,2) (a DOUBLE in dialect 1) and Peso DOUBLE into
    // reals; Grade SMALLINT and Garantia INTEGER into integers.
    const std::string columns =
        "Diasestminimo, Diasestmaximo, Aliqipi, Aliqiss, Preco, Peso, Grade, Garantia, Tipoprod";
    exec(insertRow(k, keyValues(k, "1"), columns, "2.5, 3.5, 5.25, 18.75, 12.49, 0.1, 1, 90, 'P'"));
    exec(insertRow(k, keyValues(k, "2"), columns, "3.5, 2.5, -1.5, -0.01, 1234567.89, 1e20, -3, -7, 'PA'"));
    exec(insertRow(k, keyValues(k, "3"), columns, "-2.5, 0.49, null, null, null, null, null, null, null"));
    for (const char* s : {"1", "2", "3"})
        queue("1", "001", "PRODUTO", queueKeys(k, keyValues(k, s)), s[0], std::string("2024-03-0") + s);
    const testsupport::CollectedRecords got = load(kind);
    ASSERT_EQ(actions(got), "123");

    auto integers = [&](const char* name) {
        std::vector<int> v;
        for (std::size_t r = 0; r < got.size(); ++r) v.push_back(got.integerAt(r, field(got, name)));
        return v;
    };
    auto reals = [&](const char* name) {
        std::vector<double> v;
        for (std::size_t r = 0; r < got.size(); ++r) v.push_back(got.realAt(r, field(got, name)));
        return v;
    };
    EXPECT_EQ(integers("Diasestminimo"), (std::vector<int>{2, 4, -2}));
    EXPECT_EQ(integers("Diasestmaximo"), (std::vector<int>{4, 2, 0}));
    EXPECT_EQ(integers("Grade"), (std::vector<int>{1, -3, 0}));
    EXPECT_EQ(integers("Garantia"), (std::vector<int>{90, -7, 0}));
    EXPECT_EQ(reals("Aliqipi"), (std::vector<double>{5.25, -1.5, 0}));
    EXPECT_EQ(reals("Aliqiss"), (std::vector<double>{18.75, -0.01, 0}));
    EXPECT_EQ(reals("Preco"), (std::vector<double>{12.49, 1234567.89, 0}));
    EXPECT_EQ(reals("Peso"), (std::vector<double>{0.1, 1e20, 0}));
    // CHAR(2) keeps its blank.
    EXPECT_EQ(texts(got, "Tipoprod"), (Strings{"P ", "PA", ""}));
}

// Columns typed against the grain of their fields: numbers delivered as
// text, the operation type's commission kept as the text it is.
TEST_F(FieldReading, NumbersReadAsTextAndTheTextCommission) {
    auto got = readRow(kindCase("Pedidoc"), "Turno, Codproj, Comissao", "2, -1, 2.5");
    EXPECT_EQ(texts(got, "Turno"), Strings{"2"});
    EXPECT_EQ(got.integerAt(0, field(got, "Codproj")), -1);
    EXPECT_EQ(got.realAt(0, field(got, "Comissao")), 2.5);
    EXPECT_EQ(texts(got, "Tipopedido"), Strings{"V "});  // the key as stored

    restart();
    got = readRow(kindCase("Pedidoi"), "Numnf, Quantidade", "4567, 0.75");
    EXPECT_EQ(texts(got, "Numnf"), Strings{"4567"});
    EXPECT_EQ(got.integerAt(0, field(got, "Sequencia")), 1);
    EXPECT_EQ(got.realAt(0, field(got, "Quantidade")), 0.75);

    restart();
    got = readRow(kindCase("Movirec"), "Numord2, Ordemliqreceber", "-1, 7");
    EXPECT_EQ(texts(got, "Numord2"), Strings{"-1"});
    EXPECT_EQ(texts(got, "Tipomov"), Strings{"L "});
    EXPECT_EQ(got.integerAt(0, field(got, "Ordemliqreceber")), 7);

    // A real field would turn "1,50" into 1.5 and refuse the others.
    const std::pair<const char*, const char*> comissoes[] = {
        {"'1,50'", "1,50"}, {"'abc'", "abc"}, {"''", ""}, {"null", ""}};
    for (const auto& [sql, expected] : comissoes) {
        SCOPED_TRACE(sql);
        restart();
        got = readRow(kindCase("Cdoperc"), "Comissao", sql);
        ASSERT_EQ(got.kind().fields[field(got, "Comissao")].kind(), records::FieldKind::Text);
        EXPECT_EQ(texts(got, "Comissao"), Strings{expected});
    }
}

// Texts arrive exactly as stored: accents, markup characters, line breaks.
TEST_F(FieldReading, TextsArriveAsStored) {
    auto got = readRow(kindCase("Cadoper"), "Nome, Senha, Historicocliente", "'José Antônio Araújo', 'a&b<c>\"d''', 2");
    EXPECT_EQ(texts(got, "Nome"), Strings{"José Antônio Araújo"});
    EXPECT_EQ(texts(got, "Senha"), Strings{"a&b<c>\"d'"});
    EXPECT_EQ(got.integerAt(0, field(got, "Historicocliente")), 2);
    restart();
    got = readRow(kindCase("Fornece"), "Observacao, Comissao",
                  "'Pedido mínimo' || ascii_char(13) || ascii_char(10) || 'R$ 500,00', 0.75");
    EXPECT_EQ(texts(got, "Observacao"), Strings{"Pedido mínimo\r\nR$ 500,00"});
    EXPECT_EQ(got.realAt(0, field(got, "Comissao")), 0.75);
}

}  // namespace
