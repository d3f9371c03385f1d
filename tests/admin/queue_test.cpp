// velmora-admin queue over a small known queue: pending and delivered rows
// and the oldest pending change per company, terminal and table, as a table
// and as the textfile collector's file, filtered by company and terminal.
#include "admin/admin_program.h"
#include "support/demo_script.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using admintest::runAdmin;

class Queue : public ::testing::Test {
protected:
    Queue() : db(testsupport::demoScript("schema.sql")) {
        char pattern[] = "/tmp/velmora-admin-XXXXXX";
        directory = ::mkdtemp(pattern);
        ini = directory + "/caminhoBDIntegECF.ini";
        admintest::writeIni(ini, db.location(), "SYSDBA", "masterkey");
        // Company 7, terminal T1: three PRODUTO changes pending (the oldest is
        // the earliest time of the earliest day), two delivered; one CLIENTE
        // change delivered. Company 8, terminal T2: one PRODUTO change pending.
        for (const char* row : {"'7', 'T1', 'PRODUTO', '2026-01-02', '10:00:00', NULL",
                                "'7', 'T1', 'PRODUTO', '2026-01-01', '23:00:00', NULL",
                                "'7', 'T1', 'PRODUTO', '2026-01-01', '08:30:00', ' '",
                                "'7', 'T1', 'PRODUTO', '2025-12-01', '07:00:00', 'X'",
                                "'7', 'T1', 'PRODUTO', '2025-12-01', '07:00:01', 'X'",
                                "'7', 'T1', 'CLIENTE', '2025-12-01', '07:00:00', 'X'",
                                "'8', 'T2', 'PRODUTO', '2026-02-01', '12:00:00', NULL"})
            db.execute(std::string("INSERT INTO integecf (codempresa, ecf, tabela, dataatual, horaatual, atualizou) "
                                   "VALUES (") +
                       row + ")");
    }
    ~Queue() override { std::filesystem::remove_all(directory); }

    testsupport::TestDatabase db;
    std::string directory, ini;
};

TEST_F(Queue, ATableOfEveryCompanyTerminalAndQueueTable) {
    const admintest::AdminRun run = runAdmin({"queue", ini});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output,
              "company  terminal  table      pending  delivered  oldest pending\n"
              "7        T1        CLIENTE          0          1  -\n"
              "7        T1        PRODUTO          3          2  2026-01-01 08:30:00\n"
              "8        T2        PRODUTO          1          0  2026-02-01 12:00:00\n");
}

TEST_F(Queue, TheTextfileCollectorsFileForOneTerminalIsReplacedWhole) {
    const std::string file = directory + "/velmora_queue.prom";
    std::ofstream(file) << "stale\n";
    const admintest::AdminRun run =
        runAdmin({"queue", "--company", "7", "--terminal", "T1", "--format", "prometheus", "--output", file, ini});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "");
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    const std::string metrics = text.str();

    std::tm oldest{};
    oldest.tm_year = 2026 - 1900;
    oldest.tm_mday = 1;
    oldest.tm_hour = 8;
    oldest.tm_min = 30;
    oldest.tm_isdst = -1;
    for (const std::string& line :
         {std::string("velmora_queue_up 1\n"),
          std::string("velmora_queue_pending_rows{company=\"7\",terminal=\"T1\",table=\"PRODUTO\"} 3\n"),
          std::string("velmora_queue_pending_rows{company=\"7\",terminal=\"T1\",table=\"CLIENTE\"} 0\n"),
          std::string("velmora_queue_delivered_rows{company=\"7\",terminal=\"T1\",table=\"PRODUTO\"} 2\n"),
          std::string("velmora_queue_delivered_rows{company=\"7\",terminal=\"T1\",table=\"CLIENTE\"} 1\n"),
          "velmora_queue_oldest_pending_timestamp_seconds{company=\"7\",terminal=\"T1\",table=\"PRODUTO\"} " +
              std::to_string(std::mktime(&oldest)) + "\n"})
        EXPECT_NE(metrics.find(line), std::string::npos) << line << " in\n" << metrics;
    EXPECT_EQ(metrics.find("company=\"8\""), std::string::npos);
    EXPECT_EQ(metrics.find("table=\"CLIENTE\"} -"), std::string::npos) << "no oldest change where none is pending";
    // Nothing left beside it but the INI.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory), std::filesystem::directory_iterator()), 2);
}

TEST_F(Queue, ADatabaseThatCannotBeReachedWritesUpZeroAndFails) {
    admintest::writeIni(ini, "127.0.0.1/1:/nowhere.fdb", "SYSDBA", "masterkey");
    const admintest::AdminRun run = runAdmin({"queue", "--format", "prometheus", ini});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.output.find("\nvelmora_queue_up 0\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("velmora_queue_pending_rows"), std::string::npos);
}

}  // namespace
