// Attaching, and the connection's one transaction.
#include "db/connection.h"
#include "common/limits.h"

#include "db/connection_impl.h"
#include "db/db_error.h"

#include <cstdint>

namespace db {
namespace {

using namespace Firebird;

using velmora::limits::kLockTimeoutSeconds;

constexpr unsigned char kReadCommittedTpb[] = {isc_tpb_version3,
                                               isc_tpb_write,
                                               isc_tpb_read_committed,
                                               isc_tpb_rec_version,
                                               isc_tpb_wait,
                                               isc_tpb_lock_timeout,
                                               4,
                                               kLockTimeoutSeconds,
                                               0,
                                               0,
                                               0};

constexpr unsigned char kReadOnlyTpb[] = {isc_tpb_version3,
                                          isc_tpb_read,
                                          isc_tpb_read_committed,
                                          isc_tpb_rec_version,
                                          isc_tpb_wait,
                                          isc_tpb_lock_timeout,
                                          4,
                                          kLockTimeoutSeconds,
                                          0,
                                          0,
                                          0};

// Snapshot: a concurrent commit of a row it wants to change is reported at
// once as an update conflict; a holder that neither commits nor rolls back
// gives a lock timeout. The caller retries the whole unit on either.
constexpr unsigned char kSnapshotTpb[] = {isc_tpb_version3,
                                          isc_tpb_write,
                                          isc_tpb_concurrency,
                                          isc_tpb_wait,
                                          isc_tpb_lock_timeout,
                                          4,
                                          kLockTimeoutSeconds,
                                          0,
                                          0,
                                          0};

template <std::size_t N>
fb::Handle<ITransaction> start(IAttachment* attachment, fb::Status& st, const unsigned char (&tpb)[N]) {
    return fb::Handle<ITransaction>(st.checked(attachment->startTransaction(st.get(), N, tpb)));
}

}  // namespace

IAttachment* Connection::Impl::attached() {
    if (!attachment) throw DatabaseError("Connection is not open");
    return attachment.get();
}

fb::Handle<ITransaction> Connection::Impl::startOwnTransaction(bool readOnly) {
    IAttachment* att = attached();
    return readOnly ? start(att, status, kReadOnlyTpb) : start(att, status, kReadCommittedTpb);
}

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() = default;

void Connection::open(const ConnectParams& params) {
    Impl& im = *impl_;
    if (im.attachment) throw DatabaseError("Connection is already open");
    fb::Status& st = im.status;
    IMaster* master = fb::master();

    fb::Handle<IXpbBuilder> dpb(
        st.checked(master->getUtilInterface()->getXpbBuilder(st.get(), IXpbBuilder::DPB, nullptr, 0)));
    if (!params.user.empty()) {
        dpb->insertString(st.get(), isc_dpb_user_name, params.user.c_str());
        st.check();
    }
    if (!params.password.empty()) {
        dpb->insertString(st.get(), isc_dpb_password, params.password.c_str());
        st.check();
    }
    dpb->insertString(st.get(), isc_dpb_lc_ctype, "WIN1252");
    st.check();
    dpb->insertInt(st.get(), isc_dpb_sql_dialect, kDialect);
    st.check();

    if (!im.provider) im.provider.reset(master->getDispatcher());
    const unsigned length = st.checked(dpb->getBufferLength(st.get()));
    const unsigned char* buffer = st.checked(dpb->getBuffer(st.get()));
    fb::Handle<IAttachment> attachment(
        st.checked(im.provider->attachDatabase(st.get(), params.database.c_str(), length, buffer)));
    im.attachment = std::move(attachment);
}

bool Connection::isOpen() const noexcept { return static_cast<bool>(impl_->attachment); }

bool Connection::inTransaction() const noexcept { return static_cast<bool>(impl_->transaction); }

void Connection::startTransaction(Isolation isolation) {
    Impl& im = *impl_;
    IAttachment* att = im.attached();
    if (im.transaction) throw DatabaseError("A transaction is already active");
    im.transaction = isolation == Isolation::Snapshot ? start(att, im.status, kSnapshotTpb)
                                                      : start(att, im.status, kReadCommittedTpb);
}

void Connection::commit() {
    Impl& im = *impl_;
    if (!im.transaction) throw DatabaseError("No transaction is active");
    im.transaction->commit(im.status.get());
    im.status.check();
    im.transaction.release();  // a successful commit releases the interface
}

void Connection::rollback() {
    Impl& im = *impl_;
    if (!im.transaction) throw DatabaseError("No transaction is active");
    im.transaction->rollback(im.status.get());
    im.status.check();
    im.transaction.release();  // a successful rollback releases the interface
}

}  // namespace db
