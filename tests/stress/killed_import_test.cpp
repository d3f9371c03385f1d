// A CGI process killed in the middle of its marking, as a web server kills
// one whose client has gone: the engine of the next process, embedded,
// finds nothing marked, and the next import works with no step by hand.
#include "stress/expectations.h"
#include "stress/stress_database.h"

#include "db/statement.h"
#include "db/transaction.h"

namespace stress {
namespace {

TEST(ProcessFaults, AnImportKilledDuringItsMarkingLeavesNoRowMarked) {
    StressDatabase database;
    CgiProgram program;
    program.writeIni(database.location());
    database.fill(queueTable("CADOPER"), "1", "E001", 200, "op");

    // Another writer holds the last queue row: the marking updates the
    // others, then waits there until the process is killed.
    db::Connection holder;
    holder.open(database.params());
    db::Transaction held(holder);
    db::Statement(held, "update integecf set horaatual = '09:30:00' where id = (select max(id) from integecf)")
        .execute();
    const CgiCall killed = program.call("ImportaOperadores", {{"PCodEmpresa", "1"}, {"PEcf", "E001"}}, "Codoper", 3000);
    ASSERT_FALSE(killed.run.exited) << "the import did not wait for the held row: " << killed.run.output.substr(0, 500);
    EXPECT_TRUE(killed.run.output.empty()) << "a killed import answered anyway";
    // The dead process still holds the page locks of what it updated; the
    // engine finds it dead at its next deadlock scan (DeadlockTimeout,
    // 10 s by default), so this waits that long, and then goes on.
    held.rollback();

    EXPECT_EQ(database.countQueue("atualizou = 'X'"), 0) << "rows marked by a killed import";
    const CgiCall again = program.importa("ImportaOperadores", "1", "E001", "Codoper");
    ASSERT_TRUE(succeeded(again));
    EXPECT_EQ(again.answer.values.size(), 200u);
    EXPECT_EQ(database.countQueue("atualizou = 'X'"), 200);
}

}  // namespace
}  // namespace stress
