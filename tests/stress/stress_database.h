// The demo schema in a fresh database for the stress tests, embedded or
// through a given Firebird server, with what "the other program" does to it
// (queue a change: its source row and its queue row in one transaction) and
// what the tests read back from the queue.
#pragma once

#include "db/connection.h"
#include "db/statement.h"
#include "stress/queue_tables.h"
#include "support/test_database.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stress {

class StressDatabase {
public:
    // Through the server on 127.0.0.1:serverPort when given, else embedded
    // (then the file is opened to the web server's user too).
    explicit StressDatabase(std::optional<int> serverPort = std::nullopt);

    const std::string& location() const { return database_.location(); }
    db::ConnectParams params() const { return database_.params(); }
    void run(std::string_view script) const { database_.run(script); }

    // Queues `count` changes for one terminal in one statement: source rows
    // keyed keyPrefix + 0000001... and one queue row each, action "I".
    void fill(const QueueTable& table, std::string_view company, std::string_view terminal, int count,
              std::string_view keyPrefix) const;

    // Number of queue rows matching an SQL condition on integecf.
    int countQueue(const std::string& where) const;

private:
    testsupport::TestDatabase database_;
};

// A changed record to queue for one terminal.
struct Change {
    const QueueTable* table;
    std::string terminal;
    std::string key;
};

// The other program's connection: queues changes, each batch committed at once.
class ChangeProducer {
public:
    explicit ChangeProducer(const db::ConnectParams& params);
    ~ChangeProducer();
    // For each change, inserts (or, for a key seen before, updates) the
    // source row and queues it; all in one transaction.
    void queue(std::string_view company, const std::vector<Change>& changes);

private:
    db::Connection connection_;
};

}  // namespace stress
