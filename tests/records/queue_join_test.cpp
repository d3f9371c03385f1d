// Which queue rows a kind's query delivers, against the demo schema: every key
// it names must match (CHAR keys against the queue's VARCHAR ones), the keys it
// does not name are ignored, only its own table, company and terminal count,
// and the records come in queue order (sellers: by seller code).
#include "demo_schema_fixture.h"
#include "kind_cases.h"

#include <algorithm>
#include <tuple>

namespace {

using namespace recordstest;

class QueueJoin : public DemoSchema {};

std::string sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

TEST_F(QueueJoin, EveryNamedKeyMustMatchAndUnnamedKeysAreIgnored) {
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.table);
        restart();
        const records::RecordKind& kind = *k.kind;
        const std::vector<std::string> keys = keyValues(k);
        exec(insertRow(k, keys));
        const std::vector<std::string> exact = queueKeys(k, keys);
        queue("1", "001", k.kind->queueTable, exact, 'A');

        // One row per key that differs from the source row in that key alone.
        char action = 'B';
        for (const Key& key : k.keys) {
            std::vector<std::string> off = exact;
            off[key.chave] += "9";
            queue("1", "001", k.kind->queueTable, off, action++);
        }
        // The keys the kind does not name may hold anything.
        std::vector<std::string> noise = exact;
        for (std::string& c : noise)
            if (c.empty()) c = "qualquer";
        queue("1", "001", k.kind->queueTable, noise, 'Z', "2024-03-02");

        EXPECT_EQ(sorted(actions(load(kind))), "AZ");
    }
}

TEST_F(QueueJoin, OnlyTheCallersCompanyTerminalAndTheKindsOwnTableCount) {
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.table);
        restart();
        const records::RecordKind& kind = *k.kind;
        const std::vector<std::string> keys = keyValues(k);
        exec(insertRow(k, keys));
        const std::vector<std::string> chaves = queueKeys(k, keys);
        std::string lower(k.kind->queueTable);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const char* otherTable = k.kind->queueTable == "PRODUTO" ? "CLIENTE" : "PRODUTO";

        queue("1", "001", k.kind->queueTable, chaves, 'A');
        queue("2", "001", k.kind->queueTable, chaves, 'C');
        queue("1", "002", k.kind->queueTable, chaves, 'T');
        queue("1", "001", lower, chaves, 'L');
        queue("1", "001", otherTable, chaves, 'O');

        // One array for all calls: each call replaces what it held.
        testsupport::CollectedRecords got(kind);
        for (const auto& [empresa, ecf, expected] :
             {std::tuple{"1", "001", "A"}, {"2", "001", "C"}, {"1", "002", "T"}}) {
            records::CarregaRegistros(*transaction, kind, empresa, ecf, got);
            EXPECT_EQ(actions(got), expected) << empresa << "/" << ecf;
        }
        // Passed on as given: swapped or with a leading blank, nothing matches.
        EXPECT_EQ(actions(load(kind, "001", "1")), "");
        EXPECT_EQ(actions(load(kind, " 1", "001")), "");
        EXPECT_EQ(actions(load(kind, "1", "")), "");
    }
}

// Queue moments 1 Mar 09:00, 28 Feb 20:00, 1 Mar 17:00 and, for the first row
// again, 27 Feb: ascending by date, descending by time within a date, one
// record per queue row. Sellers ignore the queue moment and go by code.
TEST_F(QueueJoin, RecordsComeInQueueOrderOnePerQueueRowSellersByCode) {
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.table);
        restart();
        const records::RecordKind& kind = *k.kind;
        const std::string lastKey = k.keys.back().column;
        std::vector<std::vector<std::string>> rows;
        for (const char* suffix : {"1", "2", "3"}) {
            rows.push_back(keyValues(k, suffix));
            exec(insertRow(k, rows.back()));
        }
        queue("1", "001", k.kind->queueTable, queueKeys(k, rows[0]), 'A', "2024-03-01", "09:00:00");
        queue("1", "001", k.kind->queueTable, queueKeys(k, rows[1]), 'B', "2024-02-28", "20:00:00");
        queue("1", "001", k.kind->queueTable, queueKeys(k, rows[2]), 'C', "2024-03-01", "17:00:00");
        queue("1", "001", k.kind->queueTable, queueKeys(k, rows[0]), 'D', "2024-02-27", "08:00:00");

        const testsupport::CollectedRecords got = load(kind);
        ASSERT_EQ(got.size(), 4u);
        const std::string& first = rows[0].back();
        const std::string& second = rows[1].back();
        const std::string& third = rows[2].back();
        const std::string action = actions(got);
        if (std::string_view(k.table) == "Vendend") {
            EXPECT_EQ(texts(got, lastKey), (std::vector<std::string>{first, first, second, third}));
            EXPECT_EQ(sorted(action.substr(0, 2)), "AD");
            EXPECT_EQ(action.substr(2), "BC");
        } else {
            EXPECT_EQ(action, "DBCA");
            EXPECT_EQ(texts(got, lastKey), (std::vector<std::string>{first, second, third, first}));
        }
    }
}

TEST_F(QueueJoin, SellersFollowTheDatabasesComparisonOfTheirCodes) {
    const KindCase& k = kindCase("Vendend");
    const records::RecordKind& kind = *k.kind;
    // Text order, not number order; queued in the opposite order.
    int n = 0;
    for (const char* code : {"9", "10", "100", "02"}) {
        exec(insertRow(k, {code}));
        queue("1", "001", "VENDEND", {code}, 'A', "2024-03-0" + std::to_string(++n));
    }
    EXPECT_EQ(texts(load(kind), "Codvendedor"), (std::vector<std::string>{"02", "10", "100", "9"}));
}

// Both keep a company column of their own; only the queue's company selects.
TEST_F(QueueJoin, UsersAndSellersOfAnotherCompanyAreDeliveredWhenQueuedForTheCaller) {
    for (const char* table : {"Cadusua", "Vendend"}) {
        SCOPED_TRACE(table);
        restart();
        const KindCase& k = kindCase(table);
        const records::RecordKind& kind = *k.kind;
        exec(insertRow(k, keyValues(k), "Codempresa", "'2'"));
        queue("1", "001", k.kind->queueTable, queueKeys(k, keyValues(k)), 'I');
        const testsupport::CollectedRecords got = load(kind);
        EXPECT_EQ(texts(got, "Codempresa"), (std::vector<std::string>{"2"}));
        EXPECT_EQ(actions(load(kind, "2", "001")), "");
    }
}

// An order item's key is its order and product with grade: every item of the
// order with that product and grade comes, whatever its sequence or client.
TEST_F(QueueJoin, OneItemQueueRowDeliversEveryItemOfThatProductAndGrade) {
    const KindCase& k = kindCase("Pedidoi");
    const records::RecordKind& kind = *k.kind;
    const std::vector<std::string> keys = keyValues(k);
    exec(insertRow(k, keys, "Codcliente", "'1001'"));
    exec(insertRow(k, keys, "Codcliente", "'2002'"));
    exec(insertRow(k, keyValues(k, "X")));
    std::vector<std::string> chaves = queueKeys(k, keys);
    chaves[3] = "1001";
    queue("1", "001", "PEDIDOI", chaves, 'I');
    const testsupport::CollectedRecords got = load(kind);
    EXPECT_EQ(actions(got), "II");
    std::vector<std::string> clients = texts(got, "Codcliente");
    std::sort(clients.begin(), clients.end());
    EXPECT_EQ(clients, (std::vector<std::string>{"1001", "2002"}));
}

}  // namespace
