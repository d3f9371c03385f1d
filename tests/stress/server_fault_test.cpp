// The Firebird server goes away before or during an import: the terminal
// gets a fault, no queue row is left half-marked, and once the server is
// back the next call works with no step by hand.
#include "stress/expectations.h"
#include "stress/firebird_server.h"
#include "stress/stress_database.h"

#include "db/statement.h"
#include "db/transaction.h"

#include <chrono>
#include <future>
#include <optional>
#include <thread>

namespace stress {
namespace {

using namespace std::chrono_literals;

constexpr int kBigImport = 5000;

class ServerFaults : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "starting a Firebird server needs root (it runs as the user firebird)";
        server.emplace();
        server->start();
        database.emplace(server->port());
        program.writeIni(database->location());
    }
    void TearDown() override {
        monitor.reset();
        // The database is dropped through the server.
        if (server && !server->running()) server->start();
        database.reset();
        server.reset();
    }

    // The import's statement as the server's monitoring tables show it:
    // whether one whose text contains `text` is running for the CGI
    // program, and how many rows it has updated so far. One connection for
    // all the polls, each in a transaction (a fresh snapshot) of its own.
    struct Running {
        bool active = false;
        int updates = 0;
    };
    Running running(const std::string& text) {
        if (!monitor) {
            monitor.emplace();
            monitor->open(database->params());
        }
        db::Transaction reading(*monitor, db::Isolation::ReadOnly);  // a fresh look at the monitoring tables
        db::Statement s(reading,
                        "select s.mon$state, r.mon$record_updates from mon$statements s "
                        "join mon$attachments a on a.mon$attachment_id = s.mon$attachment_id "
                        "join mon$record_stats r on r.mon$stat_id = s.mon$stat_id "
                        "where a.mon$remote_process containing 'velmora.cgi' and s.mon$sql_text containing :T");
        s.bind("T", text);
        db::Cursor r = s.open();
        Running out;
        while (r.next()) {
            out.active = out.active || r.asInteger(0) == 1;
            out.updates = std::max(out.updates, r.asInteger(1));
        }
        return out;
    }
    template <class Condition>
    bool waitFor(Condition condition) {
        for (const auto until = std::chrono::steady_clock::now() + 30s; std::chrono::steady_clock::now() < until;) {
            if (condition()) return true;
            std::this_thread::sleep_for(2ms);
        }
        return false;
    }

    std::future<CgiCall> importAsync(std::string_view operation, std::string_view field) {
        return std::async(std::launch::async, [this, operation, field] {
            return program.call(operation, {{"PCodEmpresa", "1"}, {"PEcf", "E001"}}, field, 60000);
        });
    }

    // After the server is back: nothing marked, and the same import now
    // delivers every row and marks them all.
    void expectUnmarkedAndDeliveredOnRetry(std::string_view operation, std::string_view field, int rows) {
        EXPECT_EQ(database->countQueue("atualizou = 'X'"), 0) << "rows marked by an import that failed";
        const CgiCall again = program.importa(operation, "1", "E001", field);
        ASSERT_TRUE(succeeded(again));
        EXPECT_EQ(again.answer.values.size(), static_cast<std::size_t>(rows));
        EXPECT_EQ(database->countQueue("atualizou = 'X'"), rows);
    }

    std::optional<FirebirdServer> server;
    std::optional<StressDatabase> database;
    std::optional<db::Connection> monitor;
    CgiProgram program;
};

TEST_F(ServerFaults, StoppedBeforeTheCallsEveryOperationIsRefusedAndTheRestartNeedsNoStepByHand) {
    database->fill(queueTable("CADOPER"), "1", "E001", 3, "op");
    database->run("update integecf set atualizou = 'X' where chave0 = 'op0000001'");
    server->stop();

    EXPECT_TRUE(faultStartingWith(program.importa("ImportaOperadores", "1", "E001", "Codoper"), kConnectFault));
    EXPECT_TRUE(faultStartingWith(program.deleta("1", "E001", "CADOPER"), kConnectFault));
    EXPECT_TRUE(faultStartingWith(program.call("BuscaEstoque", {{"PCodEmp", "1"}, {"PCodProd", "x"}, {"PGrade", "0"}}),
                                  kConnectFault));

    server->start();
    EXPECT_EQ(database->countQueue("1 = 1"), 3);
    EXPECT_EQ(database->countQueue("atualizou = 'X'"), 1);
    const CgiCall imported = program.importa("ImportaOperadores", "1", "E001", "Codoper");
    ASSERT_TRUE(succeeded(imported));
    EXPECT_EQ(imported.answer.values.size(), 3u);
    ASSERT_TRUE(succeeded(program.deleta("1", "E001", "CADOPER")));
    EXPECT_EQ(database->countQueue("1 = 1"), 0);
}

TEST_F(ServerFaults, StoppedWhileTheMarkingIsHalfDoneNoRowStaysMarked) {
    database->fill(queueTable("PRODUTO"), "1", "E001", kBigImport, "p");
    // Another writer holds the last queue row, so the marking stops there
    // with every other row updated in its transaction.
    db::Connection holder;
    holder.open(database->params());
    db::Transaction held(holder);
    db::Statement(held, "update integecf set horaatual = '09:30:00' where id = (select max(id) from integecf)")
        .execute();

    auto pending = importAsync("ImportaProdutos", "Codprod");
    ASSERT_TRUE(waitFor([&] { return running("atualizou").updates >= kBigImport - 1; }))
        << "the marking never got to the held row";
    ASSERT_EQ(pending.wait_for(200ms), std::future_status::timeout) << "the import did not wait for the held row";

    server->stop();
    const CgiCall c = pending.get();
    // Worded as a failed marking, unless rolling it back failed too (the
    // server was gone): then the rollback's own message replaces it.
    ASSERT_TRUE(faultStartingWith(c, ""));
    EXPECT_FALSE(c.answer.faultString.empty());
    EXPECT_FALSE(startsWith(c.answer.faultString, kConnectFault)) << c.answer.faultString;
    RecordProperty("fault", c.answer.faultString);
    server->start();
    expectUnmarkedAndDeliveredOnRetry("ImportaProdutos", "Codprod", kBigImport);
}

// A server that hangs (stopped with its connections open) costs a call the
// INI's time limit and no more: work under way is aborted through the
// client's own call and answered with the operation's fault, an attach gives
// up, and nothing is marked.
TEST_F(ServerFaults, AHungServerCostsACallItsTimeLimitAndMarksNothing) {
    constexpr int kLimit = 2;
    const auto bound = std::chrono::seconds(kLimit) + 5s;
    database->fill(queueTable("CADOPER"), "1", "E001", 3, "op");
    program.writeIni(database->location(), kLimit);
    // Another writer holds a queue row: the import reads, then waits in its
    // marking, and the server stops there.
    db::Connection holder;
    holder.open(database->params());
    db::Transaction held(holder);
    db::Statement(held, "update integecf set horaatual = '09:30:00' where id = (select max(id) from integecf)")
        .execute();

    const auto started = std::chrono::steady_clock::now();
    auto pending = std::async(std::launch::async, [this] {
        return program.call("ImportaOperadores", {{"PCodEmpresa", "1"}, {"PEcf", "E001"}}, "Codoper", 20000);
    });
    ASSERT_TRUE(waitFor([&] { return running("atualizou").active; })) << "the marking was never seen running";
    server->suspend();
    const CgiCall imported = pending.get();
    const auto importTook = std::chrono::steady_clock::now() - started;
    const auto attachStarted = std::chrono::steady_clock::now();
    const CgiCall stock =
        program.call("BuscaEstoque", {{"PCodEmp", "1"}, {"PCodProd", "x"}, {"PGrade", "0"}}, {}, 20000);
    const auto attachTook = std::chrono::steady_clock::now() - attachStarted;
    server->resume();
    held.rollback();

    const std::string timeLimitFault = "No answer from the database within 2 s";
    ASSERT_TRUE(faultStartingWith(imported, ""));
    EXPECT_NE(imported.answer.faultString.find(timeLimitFault), std::string::npos) << imported.answer.faultString;
    EXPECT_LT(importTook, bound);
    EXPECT_TRUE(faultStartingWith(stock, kConnectFault + timeLimitFault));
    EXPECT_LT(attachTook, bound);
    expectUnmarkedAndDeliveredOnRetry("ImportaOperadores", "Codoper", 3);
}

TEST_F(ServerFaults, ACrashDuringTheReadLeavesNoRowMarked) {
    database->fill(queueTable("PRODUTO"), "1", "E001", kBigImport, "p");
    auto pending = importAsync("ImportaProdutos", "Codprod");
    ASSERT_TRUE(waitFor([&] { return running("From Produto").active; })) << "the read was never seen running";
    server->kill();
    const CgiCall c = pending.get();
    // A failed read reaches the terminal in the client's own words.
    ASSERT_TRUE(faultStartingWith(c, ""));
    EXPECT_FALSE(c.answer.faultString.empty());
    EXPECT_FALSE(startsWith(c.answer.faultString, kMarkingFault)) << c.answer.faultString;
    EXPECT_FALSE(startsWith(c.answer.faultString, kConnectFault)) << c.answer.faultString;
    RecordProperty("fault", c.answer.faultString);
    server->start();
    expectUnmarkedAndDeliveredOnRetry("ImportaProdutos", "Codprod", kBigImport);
}

}  // namespace
}  // namespace stress
