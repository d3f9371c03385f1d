// The demo database's schema in a fresh database, and one connection whose
// transaction a test fills with its own rows and reads them back through the
// query frame; rolling back leaves the schema empty for the next case.
#pragma once

#include "db/statement.h"
#include "db/transaction.h"
#include "records/query_frame.h"
#include "support/collected_records.h"
#include "support/demo_script.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace recordstest {

using testsupport::demoScript;

class DemoSchema : public ::testing::Test {
protected:
    void SetUp() override {
        connection.open(database.params());
        transaction.emplace(connection, db::Isolation::Snapshot);
    }
    void TearDown() override { transaction.reset(); }
    // Forgets every row added since the last rollback.
    void restart() {
        transaction.reset();
        transaction.emplace(connection, db::Isolation::Snapshot);
    }

    void exec(const std::string& sql) { db::Statement(*transaction, sql).execute(); }

    // A queue row; chaves[i] goes into chave<i>, an empty text leaves it NULL.
    void queue(std::string_view empresa, std::string_view ecf, std::string_view tabela,
               const std::vector<std::string>& chaves, char acao, std::string_view data = "2024-03-01",
               std::string_view hora = "10:00:00") {
        std::string columns = "codempresa, ecf, tabela, acao, dataatual, horaatual";
        std::string values = "'" + std::string(empresa) + "', '" + std::string(ecf) + "', '" + std::string(tabela) +
                             "', '" + std::string(1, acao) + "', '" + std::string(data) + "', '" + std::string(hora) +
                             "'";
        for (std::size_t i = 0; i < chaves.size(); ++i) {
            if (chaves[i].empty()) continue;
            columns += ", chave" + std::to_string(i);
            values += ", '" + chaves[i] + "'";
        }
        exec("insert into integecf (" + columns + ") values (" + values + ")");
    }

    testsupport::CollectedRecords load(const records::RecordKind& kind, std::string_view empresa = "1",
                                       std::string_view ecf = "001") {
        testsupport::CollectedRecords out(kind);
        records::CarregaRegistros(*transaction, kind, empresa, ecf, out);
        return out;
    }

    static std::size_t field(const testsupport::CollectedRecords& a, std::string_view name) { return a.field(name); }
    // A text field of every record, in order.
    static std::vector<std::string> texts(const testsupport::CollectedRecords& a, std::string_view name) {
        return a.texts(name);
    }
    static std::string actions(const testsupport::CollectedRecords& a) {
        std::string out;
        for (const std::string& t : texts(a, "Acao")) out += t;
        return out;
    }

    testsupport::TestDatabase database{demoScript("schema.sql")};
    db::Connection connection;
    std::optional<db::Transaction> transaction;  // rolled back at the end of each case
};

}  // namespace recordstest
