// Counts the markings of the queue that were tried and the ones that stayed,
// from inside the database and without touching the service: a trigger on
// the queue notes each marking transaction twice, once in an autonomous
// transaction (kept whatever happens) and once in the marking's own
// transaction (gone when it is rolled back). Tried minus kept is the number
// of markings undone: update conflicts that made an import try again, or
// markings lost with their connection.
#pragma once

#include "stress/stress_database.h"

#include <string>
#include <vector>

namespace stress {

struct MarkingCounts {
    int tried = 0;
    int kept = 0;
    int undone() const { return tried - kept; }
};

void installMarkingAudit(const StressDatabase& database);

// Markings that set `mark` ("X" for the service's), optionally of one terminal.
MarkingCounts readMarkingAudit(const StressDatabase& database, const std::string& mark = "X",
                               const std::string& terminal = {});

// The journals of tests/stress/queue_journal.sql (shared with the cluster
// test): every queue row whose insert committed, every committed marking.
struct JournalRow {
    std::string terminal, table, key;  // ecf, tabela, chave0
};
struct QueueJournal {
    std::vector<JournalRow> queued, marked;
};

void installQueueJournal(const StressDatabase& database);
QueueJournal readQueueJournal(const StressDatabase& database);

}  // namespace stress
