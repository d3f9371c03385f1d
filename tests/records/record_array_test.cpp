// The record table keeps every value where it was put while it grows past
// many storage blocks, starts each record empty, and copies deeply.
#include "records/record_array.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr records::FieldDef kFields[] = {
    {"Nome", records::FieldKind::Text, records::ReadRule::Text},
    {"Preco", records::FieldKind::Real, records::ReadRule::Real},
    {"Grade", records::FieldKind::Integer, records::ReadRule::Integer},
    {"Obs", records::FieldKind::Text, records::ReadRule::NotFilled},
    {"Acao", records::FieldKind::Text, records::ReadRule::Text},
};
const records::RecordKind kKind{"UClassTeste", "TRegistroTeste", "TColTeste", kFields};

// Record i: a text whose length varies with i (empty for every seventh), its
// half as a real, its negative as an integer; "Obs" is never set.
std::string nameOf(std::size_t i) { return i % 7 == 0 ? std::string() : std::string(i % 50, 'a') + std::to_string(i); }

void fill(records::RecordArray& a, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        a.addRecord();
        a.setText(0, nameOf(i));
        a.setReal(1, static_cast<double>(i) / 2);
        a.setInteger(2, -static_cast<int>(i));
        a.setTextWith(4, [&](std::string& pool) { pool += i % 2 ? "A" : "I"; });
    }
}

void expectFilled(const records::RecordArray& a, std::size_t count) {
    ASSERT_EQ(a.size(), count);
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(a.text(i, 0), nameOf(i)) << "record " << i;
        EXPECT_EQ(a.real(i, 1), static_cast<double>(i) / 2) << "record " << i;
        EXPECT_EQ(a.integer(i, 2), -static_cast<int>(i)) << "record " << i;
        EXPECT_EQ(a.text(i, 3), "") << "record " << i;
        EXPECT_EQ(a.text(i, 4), i % 2 ? "A" : "I") << "record " << i;
        bytes += nameOf(i).size() + 1;
    }
    EXPECT_EQ(a.textBytes(), bytes);
}

TEST(RecordArray, KeepsEveryValueAcrossManyBlocks) {
    records::RecordArray a(kKind);
    EXPECT_TRUE(a.empty());
    fill(a, 1000);
    expectFilled(a, 1000);
}

TEST(RecordArray, NewRecordsStartEmptyAfterClearAndInTheMiddleOfABlock) {
    records::RecordArray a(kKind);
    fill(a, 70);
    a.clear();
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.textBytes(), 0u);
    for (int i = 0; i < 130; ++i) {
        a.addRecord();
        EXPECT_EQ(a.text(a.size() - 1, 0), "");
        EXPECT_EQ(a.real(a.size() - 1, 1), 0.0);
        EXPECT_EQ(a.integer(a.size() - 1, 2), 0);
    }
}

TEST(RecordArray, CopiesAndMovesKeepTheirOwnValues) {
    records::RecordArray original(kKind);
    fill(original, 150);
    records::RecordArray copy = original;
    original.clear();
    original.addRecord();
    original.setText(0, "changed");
    original.setReal(1, 99);
    expectFilled(copy, 150);

    records::RecordArray moved = std::move(copy);
    moved.addRecord();  // the table still grows where it was left
    moved.setText(0, "last");
    EXPECT_EQ(moved.text(150, 0), "last");
    EXPECT_EQ(moved.text(149, 0), nameOf(149));
    EXPECT_EQ(original.text(0, 0), "changed");
}

}  // namespace
