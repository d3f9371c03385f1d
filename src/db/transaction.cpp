// Beginning and ending transactions, each with the parameter block of its
// isolation.
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

}  // namespace

Firebird::ITransaction* Transaction::Impl::active() {
    if (!handle) throw DatabaseError("The transaction has ended already");
    return handle.get();
}

Transaction::Transaction(Connection& connection, Isolation isolation)
    : impl_(std::make_unique<Impl>(connection.impl())) {
    Connection::Impl& c = impl_->connection;
    switch (isolation) {
    case Isolation::ReadCommitted: impl_->handle = start(c, kReadCommittedTpb); break;
    case Isolation::ReadOnly: impl_->handle = start(c, kReadOnlyTpb); break;
    case Isolation::Snapshot: impl_->handle = start(c, kSnapshotTpb); break;
    case Isolation::ReadOnlyNoWait: impl_->handle = start(c, kReadOnlyNoWaitTpb); break;
    }
}

Transaction::~Transaction() = default;  // the handle rolls back, swallowing failures

bool Transaction::isActive() const noexcept { return static_cast<bool>(impl_->handle); }

void Transaction::commit() {
    Impl& im = *impl_;
    im.active();
    fb::commit(im.handle, im.connection.status);
}

void Transaction::rollback() {
    Impl& im = *impl_;
    fb::Status& st = im.connection.status;
    im.active()->rollback(st.get());
    st.check();
    im.handle.disown();  // a successful rollback releases the interface
}

}  // namespace db
