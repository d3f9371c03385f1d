// Beginning and ending transactions: the connection's current one, and the
// short ones statements run in when none is current.
#include "db/transaction.h"

#include "common/limits.h"
#include "db/firebird.h"

namespace db {
namespace {

using namespace Firebird;

using velmora::limits::kLockTimeoutSeconds;

// A transaction parameter block: access mode and isolation, then waiting for
// a row another transaction holds, at most kLockTimeoutSeconds.
template <unsigned char Access, unsigned char... Isolation>
constexpr unsigned char kTpb[] = {
    isc_tpb_version3, Access, Isolation..., isc_tpb_wait, isc_tpb_lock_timeout, 4, kLockTimeoutSeconds, 0, 0, 0};

constexpr auto& kReadCommittedTpb = kTpb<isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version>;
// Reads outside a current transaction.
constexpr auto& kReadOnlyTpb = kTpb<isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version>;
// Snapshot: a concurrent commit of a row it wants to change is reported at
// once as an update conflict; a holder that neither commits nor rolls back
// gives a lock timeout. The caller retries the whole unit on either.
constexpr auto& kSnapshotTpb = kTpb<isc_tpb_write, isc_tpb_concurrency>;
// Reports: read-only, each statement sees what is committed, and a lock is
// an error at once rather than a wait.
constexpr unsigned char kReadOnlyNoWaitTpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                                isc_tpb_rec_version, isc_tpb_nowait};

template <std::size_t N>
fb::Handle<ITransaction> start(Connection::Impl& c, const unsigned char (&tpb)[N]) {
    IAttachment* attachment = c.attached();
    return fb::Handle<ITransaction>(c.status.checked(attachment->startTransaction(c.status.get(), N, tpb)));
}

Connection::Impl& current(Connection& connection) {
    Connection::Impl& c = connection.impl();
    if (!c.transaction) throw DatabaseError("No transaction is active");
    return c;
}

}  // namespace

ITransaction* Connection::Impl::transactionFor(fb::Handle<ITransaction>& own, bool readOnly) {
    attached();
    if (transaction) return transaction.get();
    own = readOnly ? start(*this, kReadOnlyTpb) : start(*this, kReadCommittedTpb);
    return own.get();
}

Transaction::Transaction(Connection& connection, Isolation isolation) : connection_(connection) {
    Connection::Impl& c = connection.impl();
    c.attached();
    if (c.transaction) throw DatabaseError("A transaction is already active");
    switch (isolation) {
    case Isolation::ReadCommitted: c.transaction = start(c, kReadCommittedTpb); break;
    case Isolation::Snapshot: c.transaction = start(c, kSnapshotTpb); break;
    case Isolation::ReadOnlyNoWait: c.transaction = start(c, kReadOnlyNoWaitTpb); break;
    }
    serial_ = ++c.transactionSerial;
}

Transaction::~Transaction() {
    if (!leftOpen_ && isActive()) connection_.impl().transaction.reset();  // rolls back, swallowing failures
}

bool Transaction::isActive() const noexcept {
    const Connection::Impl& c = connection_.impl();
    return c.transaction && c.transactionSerial == serial_;
}

void Transaction::commit() {
    if (!isActive()) throw DatabaseError("The transaction has ended already");
    commitCurrent(connection_);
}

void Transaction::rollback() {
    if (!isActive()) throw DatabaseError("The transaction has ended already");
    rollbackCurrent(connection_);
}

void commitCurrent(Connection& connection) {
    Connection::Impl& c = current(connection);
    fb::commit(c.transaction, c.status);
}

void rollbackCurrent(Connection& connection) {
    Connection::Impl& c = current(connection);
    c.transaction->rollback(c.status.get());
    c.status.check();
    c.transaction.disown();  // a successful rollback releases the interface
}

}  // namespace db
