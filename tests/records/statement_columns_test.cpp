// Every record kind's statement must select exactly the columns its field
// table reads, in field order, with integecf.acao last: a column read but not
// selected fails at run time, one selected but not read is silently lost.
#include "kind_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace {

using recordstest::KindCase;
using recordstest::kindCases;

struct SelectItem {
    std::string table, column;
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The items between "Select" and "From", each "Table.Column".
std::vector<SelectItem> selectList(std::string_view sql) {
    const std::size_t from = sql.find(" From ");
    EXPECT_EQ(sql.substr(0, 7), "Select ");
    std::string list(sql.substr(7, from - 7));
    std::vector<SelectItem> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::string item = list.substr(start, comma - start);
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        const std::size_t dot = item.find('.');
        items.push_back({item.substr(0, dot), item.substr(dot + 1)});
        start = comma + 1;
    }
    return items;
}

TEST(StatementColumns, EveryKindSelectsExactlyWhatItReadsInOrderWithAcaoLast) {
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.table);
        const records::RecordKind& kind = *k.kind;
        const std::vector<SelectItem> items = selectList(kind.statement);

        std::vector<std::string> read;
        for (const records::FieldDef& f : kind.fields)
            if (f.rule != records::ReadRule::NotFilled) read.push_back(std::string(f.name));

        ASSERT_EQ(items.size(), read.size());
        for (std::size_t i = 0; i + 1 < items.size(); ++i) {
            EXPECT_EQ(items[i].table, k.table) << i;
            EXPECT_EQ(items[i].column, read[i]) << i;  // named exactly as the field
        }
        EXPECT_EQ(items.back().table, "integecf");
        EXPECT_EQ(items.back().column, "acao");
        EXPECT_EQ(read.back(), "Acao");
        EXPECT_EQ(kind.fields.back().name, "Acao");
    }
}

TEST(StatementColumns, EveryKindJoinsItsOwnQueueTableAndNamesItsUnit) {
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.table);
        const records::RecordKind& kind = *k.kind;
        const std::string sql(kind.statement);
        const std::string queue(kind.queueTable);
        EXPECT_EQ(queue, [&] {
            std::string u = k.table;
            for (char& c : u) c = static_cast<char>(std::toupper(c));
            return u;
        }());
        EXPECT_NE(sql.find("integecf.tabela = \"" + queue + "\""), std::string::npos);
        EXPECT_NE(sql.find("integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf"), std::string::npos);
        EXPECT_EQ(kind.unit, "UClass" + k.table);
        EXPECT_EQ(kind.recordType, "TRegistro" + k.table);
        EXPECT_EQ(kind.arrayType, "TCol" + k.table);
        // Only the sellers are ordered by their code; the rest by queue moment.
        const bool bySeller = lower(sql).find("order by vendend.") != std::string::npos;
        EXPECT_EQ(bySeller, k.table == "Vendend");
        if (!bySeller) {
            EXPECT_NE(sql.find("Order by integecf.dataatual,integecf.horaatual desc"), std::string::npos);
        }
    }
}

}  // namespace
