// The import frame against a real database: what an import returns, what it
// marks, and that it never marks a queue row it did not deliver.
#include "service/VelmoraImpl.h"
#include "service_fixture.h"

#include "common/limits.h"
#include "db/transaction.h"

#include <ibase.h>

#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <thread>

namespace {

using servicetest::ServiceDatabase;
using Strings = std::vector<std::string>;

constexpr std::string_view kMarkingFault = "Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: ";

class ImportFrame : public ServiceDatabase {
protected:
    void SetUp() override {
        ServiceDatabase::SetUp();
        database.run(R"sql(
insert into Cadoper (Codoper, Nome, Senha, Historicocliente) values ('A', 'Ana Conceição', '12', 2.5);
insert into Cadoper (Codoper, Nome, Senha, Historicocliente) values ('B', 'Bruno', null, 3.5);
insert into Cadoper (Codoper) values ('C');
)sql");
    }
    service::TVelmora velmora;
};

TEST_F(ImportFrame, ReturnsQueueOrderOneRecordPerQueueRowAndMarksAllRowsOfTheTable) {
    queue("1", "001", "CADOPER", "A", "a-0301-09", "01.03.2024", "09:00:00");
    queue("1", "001", "CADOPER", "B", "b-0228-20", "28.02.2024", "20:00:00");
    queue("1", "001", "CADOPER", "A", "a-0301-17", "01.03.2024", "17:00:00");
    queue("1", "001", "CADOPER", "ZZ", "joins-nothing");
    queue("1", "001", "CADOPER", "C", "marked-before", "27.02.2024", "08:00:00", "X");
    queue("1", "002", "CADOPER", "A", "other-terminal");
    queue("2", "001", "CADOPER", "A", "other-company");
    queue("1", "001", "PRODUTO", "A", "other-table");

    const testsupport::CollectedRecords ops = servicetest::operadores(velmora, "1", "001");
    EXPECT_EQ(column(ops, "Acao"), (Strings{"marked-before", "b-0228-20", "a-0301-17", "a-0301-09"}));
    EXPECT_EQ(column(ops, "Codoper"), (Strings{"C", "B", "A", "A"}));
    EXPECT_EQ(column(ops, "Nome")[2], "Ana Conceição");

    // Marked: every row of company 1, terminal 001, CADOPER, joined or not.
    EXPECT_EQ(actions("atualizou = 'X'"),
              (Strings{"a-0301-09", "b-0228-20", "a-0301-17", "joins-nothing", "marked-before"}));

    // Not acknowledged: the same rows come again and stay marked.
    EXPECT_EQ(servicetest::operadores(velmora, "1", "001").size(), 4u);
}

TEST_F(ImportFrame, NullsGiveEmptyOrZeroAndHalvesRoundToEven) {
    queue("1", "001", "CADOPER", "A", "1");
    queue("1", "001", "CADOPER", "B", "2");
    queue("1", "001", "CADOPER", "C", "3");
    const testsupport::CollectedRecords ops = servicetest::operadores(velmora, "1", "001");
    ASSERT_EQ(ops.size(), 3u);
    const std::size_t hist = 12, senha = 2, usuario = 11;
    EXPECT_EQ(ops.integerAt(0, hist), 2);         // 2.5
    EXPECT_EQ(ops.integerAt(1, hist), 4);         // 3.5
    EXPECT_EQ(ops.integerAt(2, hist), 0);         // NULL
    EXPECT_EQ(ops.textAt(0, senha), "12      ");  // CHAR keeps its blanks
    EXPECT_EQ(ops.textAt(1, senha), "");
    EXPECT_EQ(ops.textAt(2, usuario), "");
}

TEST_F(ImportFrame, NothingPendingGivesAnEmptyArrayAndCompanyAndTerminalAreNotSwapped) {
    queue("001", "1", "CADOPER", "A", "swapped");
    EXPECT_TRUE(servicetest::operadores(velmora, "1", "001").empty());
    EXPECT_TRUE(actions("atualizou = 'X'").empty());
    // Passed on unchanged: blanks and letter case are the database's business.
    EXPECT_TRUE(servicetest::operadores(velmora, " 1", "001").empty());
    EXPECT_EQ(servicetest::operadores(velmora, "001", "1").size(), 1u);
}

TEST_F(ImportFrame, AFailedMarkingRollsBackEveryRowAndDeliversNothing) {
    database.run(R"sql(
create exception boom 'marking refused';
set term ^ ;
create trigger integecf_refuse for integecf before update as
begin
  if (new.chave0 = 'B') then exception boom;
end^
set term ; ^
)sql");
    queue("1", "001", "CADOPER", "A", "first");
    queue("1", "001", "CADOPER", "B", "second");
    try {
        servicetest::operadores(velmora, "1", "001");
        FAIL() << "the import delivered records although the marking failed";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind(kMarkingFault, 0), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("marking refused"), std::string::npos);
    }
    EXPECT_TRUE(actions("atualizou = 'X'").empty());
}

// Preparing the marking is part of the marking: a user who may read the
// queue but not update it gets the marking's fault, and nothing is marked.
TEST_F(ImportFrame, AUserWhoMayReadButNotMarkTheQueueGetsTheMarkingFault) {
    queue("1", "001", "CADOPER", "A", "row");
    testsupport::ProgramDirectory asReader(readingUser());
    try {
        servicetest::operadores(velmora, "1", "001");
        FAIL() << "the import delivered records it could not mark";
    } catch (const service::MarkingError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(kMarkingFault, 0), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("no permission for UPDATE access to TABLE INTEGECF"), std::string::npos)
            << e.what();
        ASSERT_TRUE(e.cause());
        EXPECT_EQ(e.cause()->errorCode(), isc_no_priv);
        EXPECT_EQ(e.cause()->sqlState(), "28000");
        EXPECT_FALSE(e.updateConflict());
    }
    EXPECT_TRUE(actions("atualizou = 'X'").empty());
}

// Another transaction holds the terminal's queue rows and neither commits
// nor rolls back: the import tries exactly kImportAttempts times, each
// waiting for the holder, and gives up with the marking's fault instead of
// waiting as long as the holder lives. A trigger counts the attempts in a
// sequence, which no rollback takes back.
TEST_F(ImportFrame, QueueRowsHeldByAnotherTransactionFailTheImportAfterItsAttempts) {
    database.run(R"sql(
create sequence marking_attempts;
set term ^ ;
create trigger count_marking_attempts for integecf active before update as
declare ignored integer;
begin
  if (new.atualizou = 'X') then ignored = gen_id(marking_attempts, 1);
end^
set term ; ^
)sql");
    queue("1", "001", "CADOPER", "A", "row");
    db::Connection holder;
    holder.open(database.params());
    db::Transaction held(holder);
    db::Statement(held, "update integecf set horaatual = '09:30:00'").execute();

    const auto start = std::chrono::steady_clock::now();
    auto import = std::async(std::launch::async, [this] { return servicetest::operadores(velmora, "1", "001"); });
    const bool answered = import.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    const auto waited = std::chrono::steady_clock::now() - start;
    held.rollback();  // lets a hanging import go, so the test ends either way
    ASSERT_TRUE(answered) << "no answer within 30 s while the queue rows were held";
    try {
        import.get();
        FAIL() << "the import delivered records it could not mark";
    } catch (const service::MarkingError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(kMarkingFault, 0), 0u) << e.what();
        EXPECT_TRUE(e.updateConflict()) << e.what();
    }
    db::Connection reader;
    reader.open(database.params());
    db::Transaction reading(reader, db::Isolation::ReadOnly);
    db::Statement attempts(reading, "select cast(gen_id(marking_attempts, 0) as integer) from rdb$database");
    db::Cursor counted = attempts.open();
    ASSERT_TRUE(counted.next());
    EXPECT_EQ(counted.asInteger(0), velmora::limits::kImportAttempts);
    // Each attempt waited for the holder (kLockTimeoutSeconds, as the lock
    // manager counts them: a little over 4 s) before giving up; half that is
    // bound enough to see a wait.
    EXPECT_GE(waited, std::chrono::seconds(2 * velmora::limits::kImportAttempts));
    EXPECT_TRUE(actions("atualizou = 'X'").empty());
}

TEST_F(ImportFrame, AnImportWaitingOnARivalMarkingRetriesAndSucceeds) {
    queue("1", "001", "CADOPER", "A", "row");
    db::Connection rival;
    rival.open(database.params());
    db::Transaction rivalMarking(rival, db::Isolation::Snapshot);
    db::Statement mark(rivalMarking, "update integecf set atualizou = 'X'");
    mark.execute();

    std::atomic<bool> done{false};
    std::size_t delivered = 0;
    std::string failure;
    std::thread terminal([&] {
        try {
            delivered = servicetest::operadores(velmora, "1", "001").size();
        } catch (const std::exception& e) {
            failure = e.what();
        }
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(done) << "the import did not wait for the rival's marking";
    rivalMarking.commit();
    terminal.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(delivered, 1u);
}

// The queue's safety rests on this: the rows are read and marked in one
// snapshot transaction, so the marking sees exactly the queue the read saw.
// Two operator columns are made to report the reading transaction and its
// isolation, and a trigger records the marking's.
TEST_F(ImportFrame, TheMarkingRunsInTheReadsOwnSnapshotTransaction) {
    database.run(R"sql(
alter table Cadoper drop Usuario;
alter table Cadoper add Usuario computed by (cast(current_transaction as varchar(20)));
alter table Cadoper drop Liquidadocurec;
alter table Cadoper add Liquidadocurec computed by (rdb$get_context('SYSTEM', 'ISOLATION_LEVEL'));
create table marking_audit (tx varchar(20), isolation varchar(20));
set term ^ ;
create trigger integecf_audit for integecf before update as
begin
  insert into marking_audit values (current_transaction, rdb$get_context('SYSTEM', 'ISOLATION_LEVEL'));
end^
set term ; ^
)sql");
    queue("1", "001", "CADOPER", "A", "first");
    queue("1", "001", "CADOPER", "B", "second");

    const testsupport::CollectedRecords ops = servicetest::operadores(velmora, "1", "001");
    ASSERT_EQ(ops.size(), 2u);
    const Strings readBy = column(ops, "Usuario");
    EXPECT_EQ(column(ops, "Liquidadocurec"), (Strings{"SNAPSHOT", "SNAPSHOT"}));

    db::Connection c;
    c.open(database.params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    db::Statement audit(reading, "select tx, isolation from marking_audit");
    db::Cursor marked = audit.open();
    int rows = 0;
    while (marked.next()) {
        ++rows;
        EXPECT_EQ(marked.text(0), readBy[0]) << "marked in another transaction than the one that read";
        EXPECT_EQ(marked.text(1), "SNAPSHOT");
    }
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(readBy[1], readBy[0]);
}

// Another program keeps queueing while terminals import: whatever carries the
// mark must have been delivered by some import.
TEST_F(ImportFrame, ARowQueuedDuringAnImportIsDeliveredOrLeftUnmarked) {
    std::atomic<bool> stop{false};
    std::atomic<int> queued{0};
    std::thread producer([&] {
        while (!stop) {
            const int n = ++queued;
            queue("1", "001", "CADOPER", n % 2 ? "A" : "B", "q" + std::to_string(n));
        }
    });
    // Imports go on until the producer has queued rows among them: on an
    // idle machine 25 imports can be over before its first commit.
    std::set<std::string> delivered;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int i = 0; (i < 25 || queued < 30) && std::chrono::steady_clock::now() < until; ++i)
        for (const std::string& a : column(servicetest::operadores(velmora, "1", "001"), "Acao")) delivered.insert(a);
    stop = true;
    producer.join();
    ASSERT_GT(queued.load(), 10);
    for (const std::string& a : actions("atualizou = 'X'"))
        EXPECT_TRUE(delivered.count(a)) << a << " marked, never delivered";
}

}  // namespace
