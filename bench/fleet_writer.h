// The other program of a fleet's day: it changes source rows and queues each
// change for every terminal of the company, one transaction per change, and
// now and then queues the whole catalogue for a till installed anew. Every
// row it queues is counted in the audit once its transaction committed.
#pragma once

#include "fleet.h"
#include "fleet_audit.h"

#include "db/connection.h"
#include "db/statement.h"

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fleet {

class Writer {
public:
    // Attaches and enters the fleet's terminals in its own table, which the
    // queueing reads (a business system knows its tills).
    Writer(const db::ConnectParams& params, const std::vector<Terminal>& terminals, Audit& audit, unsigned seed);
    ~Writer();

    // One change to a source row of a table drawn by weight, queued for
    // every terminal of a company drawn at random.
    void change();
    // Every product queued for one terminal: its first import is the whole
    // catalogue.
    void queueCatalogue(const Terminal& terminal);
    // Hands the rows still unmarked in the queue to the audit.
    void readPending();

    long products() const { return products_; }
    long changes() const { return changes_; }
    long rowsQueued() const { return rowsQueued_; }

private:
    db::Connection connection_;
    std::map<std::string, std::vector<std::string>> ecfsOf_;  // company -> its terminals
    std::vector<std::string> companies_;
    Audit& audit_;
    std::mt19937 random_;
    long products_ = 0;
    long changes_ = 0;
    long rowsQueued_ = 0;
};

}  // namespace fleet
