// The concurrency soak: 32 terminals sync through lighttpd, each looping
// import -> acknowledgement over several tables (a quarter of them from two
// tills at once, so imports of one table meet), while another connection
// keeps queueing changes, each with a key of its own. In the end every row
// the queue's journal (queue_journal.sql, shared with the cluster test) says
// was queued or marked must have reached its terminal: none lost, none
// marked without being delivered, none delivered elsewhere; duplicates are
// allowed. SoakFastCgi runs the same with the program in FastCGI mode: two
// processes that keep their database attachment serve every terminal in
// turn.
//
// The run lasts VELMORA_SOAK_SECONDS (default 18 embedded, 12 through a
// server). A longer run, e.g. ten minutes:
//   VELMORA_SOAK_SECONDS=600 scripts/lib/test-env.sh embedded build/tests/stress_tests --gtest_filter='Soak*.*'
#include "stress/cgi_program.h"
#include "stress/expectations.h"
#include "stress/firebird_server.h"
#include "stress/marking_audit.h"
#include "stress/stress_database.h"
#include "stress/web_server.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <thread>

namespace stress {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kTerminals = 32;
constexpr int kBacklog = 10;  // rows queued per terminal and table before the start

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
std::string sevenDigits(long n) {
    std::string s = std::to_string(n);
    return std::string(7 - std::min<std::size_t>(7, s.size()), '0') + s;
}

struct Terminal {
    std::string ecf;
    std::vector<const QueueTable*> tables;
    bool twoTills = false;
    std::mutex mutex;
    std::set<std::string> delivered;  // "TABLE/key"
};

struct Figures {
    std::atomic<long> imports{0}, importsGivenUp{0}, acknowledgements{0}, acknowledgementsRefused{0};
    std::atomic<long> recordsReceived{0};
    std::mutex mutex;
    std::vector<std::string> failures;  // the first few, for the report

    void fail(const std::string& what) {
        std::lock_guard lock(mutex);
        if (failures.size() < 10) failures.push_back(what);
    }
};

// What a call may answer when two tills of one terminal meet, leaving the
// queue as it was: an import that lost its every attempt to update
// conflicts; an acknowledgement (tried once) that waited for rows which the
// other till's marking then changed, or its acknowledgement then deleted.
bool conflictFault(const HttpAnswer& a, bool acknowledgement) {
    if (!a.soap.fault || !startsWith(a.soap.faultString, kMarkingFault)) return false;
    const auto says = [&](const char* text) { return a.soap.faultString.find(text) != std::string::npos; };
    return says("update conflicts with concurrent update") || (acknowledgement && says("cannot update erased record"));
}

class Soak : public ::testing::Test {
protected:
    static int seconds(int fallback) {
        const char* v = std::getenv("VELMORA_SOAK_SECONDS");
        return v && std::atoi(v) > 0 ? std::atoi(v) : fallback;
    }

    void makeTerminals(const StressDatabase& database) {
        for (int i = 0; i < kTerminals; ++i) {
            auto t = std::make_unique<Terminal>();
            t->ecf = "T" + twoDigits(i + 1);
            t->twoTills = i % 4 == 0;
            // Three of the four tables, a different one left out in turn.
            for (std::size_t k = 0; k < kQueueTables.size(); ++k)
                if (k != static_cast<std::size_t>(i) % kQueueTables.size()) t->tables.push_back(&kQueueTables[k]);
            for (const QueueTable* table : t->tables)
                database.fill(*table, "1", t->ecf, kBacklog, "b" + twoDigits(i + 1));
            terminals.push_back(std::move(t));
        }
    }

    // One import and, when it delivered, its acknowledgement. An answer a
    // terminal cannot live with is noted as a failure.
    void importAndAcknowledge(Terminal& t, const QueueTable& table, int port, const std::string& path) {
        const HttpAnswer imported =
            postSoap(port, path, table.operation, {{"PCodEmpresa", "1"}, {"PEcf", t.ecf}}, table.keyColumn);
        ++figures.imports;
        if (imported.status != 200 || !imported.soap.wellFormed) {
            figures.fail(t.ecf + " " + std::string(table.operation) + ": HTTP " + std::to_string(imported.status) +
                         " " + imported.error + " " + imported.body.substr(0, 300));
            return;
        }
        if (imported.soap.fault) {
            if (conflictFault(imported, false))
                ++figures.importsGivenUp;
            else
                figures.fail(t.ecf + " " + std::string(table.operation) + ": " + imported.soap.faultString);
            return;
        }
        {
            std::lock_guard lock(t.mutex);
            for (const std::string& key : imported.soap.values)
                t.delivered.insert(std::string(table.queueName) + "/" + key);
        }
        figures.recordsReceived += static_cast<long>(imported.soap.values.size());

        const HttpAnswer acknowledged =
            postSoap(port, path, "DeletaIntegECF",
                     {{"PCodEmpresa", "1"}, {"PEcf", t.ecf}, {"PTabela", std::string(table.queueName)}});
        ++figures.acknowledgements;
        if (acknowledged.status == 200 && acknowledged.soap.wellFormed && !acknowledged.soap.fault) return;
        if (acknowledged.status == 200 && conflictFault(acknowledged, true)) {
            ++figures.acknowledgementsRefused;
            return;
        }
        figures.fail(t.ecf + " DeletaIntegECF " + std::string(table.queueName) + ": HTTP " +
                     std::to_string(acknowledged.status) + " " + acknowledged.error + " " +
                     acknowledged.soap.faultString + acknowledged.body.substr(0, 300));
    }

    void run(const StressDatabase& database, const std::string& setting, int durationSeconds,
             WebServer::Mode mode = WebServer::Mode::Cgi) {
        installMarkingAudit(database);
        installQueueJournal(database);
        makeTerminals(database);
        CgiProgram program;
        program.writeIni(database.location());
        WebServer web(program.path(), mode);

        std::atomic<bool> stopProducer{false}, stopTerminals{false};
        std::atomic<long> queuedCount{0};
        // Changes come in batches of one to sixteen, each batch one transaction.
        std::thread producer([&] {
            try {
                ChangeProducer other(database.params());
                std::minstd_rand random(20240301);
                std::vector<Change> batch;
                for (long n = 1; !stopProducer;) {
                    batch.clear();
                    for (std::size_t k = random() % 16; k < 16; ++k, ++n) {
                        const Terminal& t = *terminals[random() % terminals.size()];
                        batch.push_back({t.tables[random() % t.tables.size()], t.ecf, "k" + sevenDigits(n)});
                    }
                    other.queue("1", batch);
                    queuedCount += static_cast<long>(batch.size());
                }
            } catch (const std::exception& e) {
                figures.fail(std::string("the producer stopped: ") + e.what());
            }
        });

        const auto started = Clock::now();
        std::vector<std::thread> tills;
        for (auto& t : terminals)
            for (int till = 0; till < (t->twoTills ? 2 : 1); ++till)
                // Each round a table at random: two tills of a terminal
                // often want the same one at once.
                tills.emplace_back([&, terminal = t.get(), till] {
                    std::minstd_rand random(static_cast<unsigned>(terminal->ecf[2] * 2 + till));
                    while (!stopTerminals)
                        importAndAcknowledge(*terminal, *terminal->tables[random() % terminal->tables.size()],
                                             web.port(), web.scriptPath());
                });
        std::this_thread::sleep_for(std::chrono::seconds(durationSeconds));
        stopProducer = true;
        producer.join();
        stopTerminals = true;
        for (std::thread& t : tills) t.join();
        const double loadSeconds = std::chrono::duration<double>(Clock::now() - started).count();

        // Nothing queues any more: one more import and acknowledgement of
        // every table delivers and deletes whatever is left.
        std::vector<std::thread> drains;
        for (auto& t : terminals)
            drains.emplace_back([&, terminal = t.get()] {
                for (const QueueTable* table : terminal->tables)
                    importAndAcknowledge(*terminal, *table, web.port(), web.scriptPath());
            });
        for (std::thread& t : drains) t.join();
        const double totalSeconds = std::chrono::duration<double>(Clock::now() - started).count();

        const QueueJournal journal = readQueueJournal(database);
        const auto reached = [&](const JournalRow& row) {
            return terminalOf(row.terminal).delivered.count(row.table + "/" + row.key) > 0;
        };
        const long queued = static_cast<long>(journal.queued.size());
        long lost = 0, markedNotDelivered = 0, elsewhere = 0;
        std::string firstLost;
        std::set<std::string> queuedRows;  // "ECF TABLE/key"
        for (const JournalRow& row : journal.queued) {
            queuedRows.insert(row.terminal + " " + row.table + "/" + row.key);
            if (reached(row)) continue;
            ++lost;
            if (firstLost.empty()) firstLost = row.terminal + " " + row.table + "/" + row.key;
        }
        for (const JournalRow& row : journal.marked) markedNotDelivered += reached(row) ? 0 : 1;
        for (auto& t : terminals)
            for (const std::string& row : t->delivered) elsewhere += queuedRows.count(t->ecf + " " + row) ? 0 : 1;
        const long delivered = queued - lost;
        const int left = database.countQueue("1 = 1");
        const MarkingCounts markings = readMarkingAudit(database);

        std::printf("[ soak ] %s, %d terminals (%d with two tills), load %.1f s, with the final drain %.1f s\n",
                    setting.c_str(), kTerminals, kTerminals / 4, loadSeconds, totalSeconds);
        std::printf(
            "[ soak ] rows queued %ld (%ld during the run), delivered %ld, lost %ld, marked and not delivered "
            "%ld, delivered to another terminal %ld, records received %ld (duplicates included), left in the "
            "queue %d\n",
            queued, queuedCount.load(), delivered, lost, markedNotDelivered, elsewhere, figures.recordsReceived.load(),
            left);
        std::printf(
            "[ soak ] imports %ld (given up after every attempt %ld), acknowledgements %ld (refused by a "
            "conflict %ld), markings undone %d, conflicts retried %ld\n",
            figures.imports.load(), figures.importsGivenUp.load(), figures.acknowledgements.load(),
            figures.acknowledgementsRefused.load(), markings.undone(),
            markings.undone() - figures.importsGivenUp.load());
        std::fflush(stdout);
        RecordProperty("rows_queued", static_cast<int>(queued));
        RecordProperty("rows_delivered", static_cast<int>(delivered));
        RecordProperty("rows_lost", static_cast<int>(lost));
        RecordProperty("conflicts_retried", static_cast<int>(markings.undone() - figures.importsGivenUp.load()));
        RecordProperty("seconds", static_cast<int>(totalSeconds));

        for (const std::string& f : figures.failures) ADD_FAILURE() << f;
        EXPECT_EQ(lost, 0) << "first lost: " << firstLost;
        EXPECT_EQ(markedNotDelivered, 0);
        EXPECT_EQ(elsewhere, 0);
        EXPECT_EQ(left, 0) << "rows left after the final drain";
        EXPECT_GT(queuedCount.load(), 0);
        // The soak is pointless unless the terminals kept up a real load.
        EXPECT_GE(figures.imports.load(), 2L * kTerminals);
    }

    Terminal& terminalOf(const std::string& ecf) {
        return *terminals[static_cast<std::size_t>(std::stoi(ecf.substr(1)) - 1)];
    }

    std::vector<std::unique_ptr<Terminal>> terminals;
    Figures figures;
};

TEST_F(Soak, EmbeddedClassicThroughLighttpdLosesNoRow) {
    StressDatabase database;
    run(database, "embedded Classic", seconds(18));
}

TEST_F(Soak, AFirebirdServerThroughLighttpdLosesNoRow) {
    if (::geteuid() != 0) GTEST_SKIP() << "starting a Firebird server needs root (it runs as the user firebird)";
    FirebirdServer server;
    server.start();
    StressDatabase database(server.port());
    run(database, "Firebird server", seconds(12));
}

// A fixture of its own, so that CTest runs it beside the CGI soak.
class SoakFastCgi : public Soak {};

TEST_F(SoakFastCgi, EmbeddedClassicThroughLighttpdLosesNoRow) {
    StressDatabase database;
    run(database, "embedded Classic, FastCGI", seconds(18), WebServer::Mode::FastCgi);
}

}  // namespace
}  // namespace stress
