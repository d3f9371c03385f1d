// A scoped transaction: begun on a connection as its current transaction,
// committed on request, rolled back when it goes out of scope otherwise.
//
// How it shares the connection's one current transaction with code that ends
// that transaction through the connection (ConfirmaTransacao and
// DesfazTransacao, e.g. after a failed marking): the transaction itself
// lives in the connection; a Transaction object only remembers which one it
// began (the connection counts the transactions begun on it). Whoever ends it
// first, this object or commitCurrent/rollbackCurrent, ends it once; this
// object then finds the connection's current transaction is no longer its own
// and leaves it alone, so nothing is ever committed or rolled back twice, and
// a transaction begun later by someone else is never touched.
#pragma once

#include "db/connection.h"

#include <cstdint>

namespace db {

enum class Isolation {
    ReadCommitted,  // what the service's transaction routines use; waits at
                    // most kLockTimeoutSeconds for a row another transaction holds
    Snapshot,       // one state of the database for the whole transaction;
                    // a row changed meanwhile by another is an update conflict,
                    // a row held for longer a lock timeout
    ReadOnlyNoWait  // read-only read committed that never waits on a lock:
                    // the operator's reports, which must not hold up the service
};

class Transaction {
public:
    // Begins a transaction and makes it the connection's current one. Throws
    // DatabaseError when the connection is not open or already has one.
    // The object must not outlive the connection.
    explicit Transaction(Connection& connection, Isolation isolation = Isolation::ReadCommitted);
    // Rolls back unless committed, rolled back or ended through the
    // connection; failures are swallowed (the caller is usually unwinding).
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Throws DatabaseError when the commit fails; the transaction then stays
    // current and is rolled back at the end of the scope. Throws as well when
    // it has ended already.
    void commit();
    void rollback();
    // Still the connection's current transaction.
    bool isActive() const noexcept;

    // Leaves the transaction current after this object is gone, for code that
    // ends it through the connection later (AbreTransacao).
    void leaveOpen() noexcept { leftOpen_ = true; }

private:
    Connection& connection_;
    std::uint64_t serial_;
    bool leftOpen_ = false;
};

// The connection's current transaction, whoever began it. Both throw
// DatabaseError when none is current; a failed commit leaves it current.
void commitCurrent(Connection& connection);
void rollbackCurrent(Connection& connection);

}  // namespace db
