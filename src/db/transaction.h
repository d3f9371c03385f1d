// A scoped transaction, the one way a statement gets its transaction: begun
// on a connection, committed on request, rolled back when it goes out of
// scope otherwise. A statement is prepared and runs in the transaction it is
// given (db/statement.h); nothing begins one behind the caller's back.
#pragma once

#include "db/connection.h"

#include <memory>

namespace db {

enum class Isolation {
    ReadCommitted,  // what the service's changes use; waits at most
                    // kLockTimeoutSeconds for a row another transaction holds
    ReadOnly,       // the service's reads: read committed, read-only (cheap,
                    // and it never holds back garbage collection), the same wait
    Snapshot,       // one state of the database for the whole transaction;
                    // a row changed meanwhile by another is an update conflict,
                    // a row held for longer a lock timeout
    ReadOnlyNoWait  // read-only read committed that never waits on a lock:
                    // the operator's reports, which must not hold up the service
};

class Transaction {
public:
    // Begins a transaction. Throws DatabaseError when the connection is not
    // open. The object must not outlive the connection, nor the statements
    // given it outlive the object.
    explicit Transaction(Connection& connection, Isolation isolation = Isolation::ReadCommitted);
    // Rolls back unless committed or rolled back; failures are swallowed (the
    // caller is usually unwinding).
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Throws DatabaseError when the commit fails; the transaction then stays
    // active and is rolled back at the end of the scope. Throws as well when
    // it has ended already.
    void commit();
    void rollback();
    // Neither committed nor rolled back yet.
    bool isActive() const noexcept;

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace db
