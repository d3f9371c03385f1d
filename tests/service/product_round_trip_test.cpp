// A product filled in all 166 fields travels to the terminal value by value:
// each element of its record, read back by a client, says what the product's
// column holds, read by the field's rule.
#include "demo_service_fixture.h"
#include "support/body_text.h"

#include <cmath>
#include <cstdio>
#include <set>

namespace {

using namespace servicetest;
using testsupport::bodyText;

class ProductRoundTrip : public DemoService {};

constexpr const char* kCafe = "7891000100103";  // the demo's fully filled product

// The product's DATE columns, upper case.
std::set<std::string> dateColumns(db::Transaction& reading) {
    db::Statement s(reading,
                    "select trim(rf.rdb$field_name) from rdb$relation_fields rf join rdb$fields f "
                    "on f.rdb$field_name = rf.rdb$field_source where rf.rdb$relation_name = 'PRODUTO' "
                    "and f.rdb$field_type = 35");
    db::Cursor r = s.open();
    std::set<std::string> out;
    while (r.next()) out.insert(r.text(0));
    return out;
}

std::string minutesSeconds(const db::DateTime& m) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d", m.day, m.month, m.year, m.minute, m.second);
    return buf;
}

TEST_F(ProductRoundTrip, EveryFieldOfAFullyFilledProductArrivesAsTheColumnHoldsIt) {
    const soap::HttpAnswer answer = import("ImportaProdutos");
    const ParsedAnswer xml(bodyText(answer.body));
    ASSERT_TRUE(xml.wellFormed());
    ASSERT_NE(xml.response(), nullptr) << bodyText(answer.body);

    // The first record of the product (two queue rows name it).
    const xmlNode* record = nullptr;
    for (const xmlNode* r : children(xml.response()))
        if (name(r) == "TRegistroProduto" && !children(r).empty() && content(children(r)[0]) == kCafe) {
            record = r;
            break;
        }
    ASSERT_NE(record, nullptr) << bodyText(answer.body);
    const auto values = children(record);
    ASSERT_EQ(values.size(), 166u);
    EXPECT_EQ(content(values.back()), "I");

    db::Connection c;
    c.open(database.params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    const std::set<std::string> dates = dateColumns(reading);
    ASSERT_EQ(dates.size(), 8u);
    db::Statement s(reading, "select * from Produto where Codprod = :cod");
    s.bind("cod", kCafe);
    db::Cursor row = s.open();
    ASSERT_TRUE(row.next());
    ASSERT_EQ(row.columnCount(), 165u);

    std::size_t seen[3] = {};
    for (std::size_t col = 0; col < row.columnCount(); ++col) {
        const xmlNode* v = values[col];
        const std::string field = name(v), type = attribute(v, "type", kXsi), text = content(v);
        SCOPED_TRACE(field + " = " + text);
        std::string upper = field;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        ASSERT_EQ(row.findColumn(field), col);
        ASSERT_FALSE(row.isNull(col)) << "the demo product must fill every column";

        if (type == "xsd:string") {
            ++seen[0];
            EXPECT_EQ(text, dates.count(upper) ? minutesSeconds(row.asDateTime(col)) : row.text(col));
        } else if (type == "xsd:double") {
            ++seen[1];
            // Written with 15 significant digits.
            const double expected = row.asReal(col);
            EXPECT_NEAR(std::strtod(text.c_str(), nullptr), expected, std::fabs(expected) * 1e-14);
        } else if (type == "xsd:int") {
            ++seen[2];
            EXPECT_EQ(std::strtol(text.c_str(), nullptr, 10), std::lrint(row.asReal(col)));
        } else {
            ADD_FAILURE() << "typed " << type;
        }
    }
    EXPECT_EQ(seen[0], 92u);  // and Acao
    EXPECT_EQ(seen[1], 68u);
    EXPECT_EQ(seen[2], 5u);

    // A few values as the terminal must see them, independent of any reader.
    auto value = [&](const char* f) {
        for (const xmlNode* v : values)
            if (name(v) == f) return content(v);
        return std::string("<no field>");
    };
    EXPECT_EQ(value("Descricao"), "Café Torrado e Moído 500g");
    EXPECT_EQ(value("Tipoprod"), "PA");
    EXPECT_EQ(value("Unidadeent"), "CX ");
    EXPECT_EQ(value("Observacao"), "Moagem média.\r\nManter em local seco & arejado.");
    EXPECT_EQ(value("Diasestminimo"), "2");
    EXPECT_EQ(value("Diasestmaximo"), "4");
    EXPECT_EQ(value("Aliqipi"), "5");
    EXPECT_EQ(value("Preco"), "18.9");
    EXPECT_EQ(value("Preco3"), "16.99");
    EXPECT_EQ(value("Garantia"), "90");
    EXPECT_EQ(value("Data_ult_ent1"), "05.03.2024 30:15");
    EXPECT_EQ(value("Data_ult_ent2"), "01.02.2024 00:00");
    EXPECT_EQ(value("Datafimpromo"), "31.03.2024 59:59");
    EXPECT_EQ(value("Passapelolaudo"), "S");
}

}  // namespace
