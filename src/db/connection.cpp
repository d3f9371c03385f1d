// Attaching, and the status check that turns a failed client call into
// DatabaseError.
#include "db/connection.h"

#include "common/limits.h"
#include "db/conversions.h"
#include "db/deadline.h"
#include "db/firebird.h"

#include <ibase.h>

#include <optional>

namespace db {
namespace {

using namespace Firebird;

// Codes that mean "another transaction got there first": the whole unit of
// work may be retried.
bool isConflictCode(intptr_t code) {
    return code == isc_update_conflict || code == isc_deadlock || code == isc_lock_conflict || code == isc_lock_timeout;
}

// Codes of a connection the client lost or gave up on: what a call aborted
// at its deadline fails with (the server's connection closed from our side,
// an embedded attachment shut down, an attach that got no answer in time).
bool isLostConnectionCode(intptr_t code) {
    return code == isc_net_read_err || code == isc_net_write_err || code == isc_network_error ||
           code == isc_att_shutdown || code == isc_connect_reject;
}

template <class Predicate>
bool hasCode(const intptr_t* v, Predicate isWanted) {
    while (*v != isc_arg_end) {
        const intptr_t type = v[0];
        if (type == isc_arg_gds && isWanted(v[1])) return true;
        v += type == isc_arg_cstring ? 3 : 2;
    }
    return false;
}

// The first error code of the vector: the one the message starts with.
intptr_t firstCode(const intptr_t* v) { return v[0] == isc_arg_gds ? v[1] : 0; }

std::string sqlState(const intptr_t* v) {
    char state[FB_SQLSTATE_SIZE] = {};
    fb_sqlstate(state, v);
    return state;
}

// Whether the network client serves the attachment: the implementations it
// passes through (the engine's, then the server's and the client's for a
// remote one) name that client's class.
bool servedRemotely(IAttachment* attachment, fb::Status& st) {
    static constexpr unsigned char kItems[] = {isc_info_implementation};
    unsigned char info[64] = {};  // item, length, count, then a byte pair for each
    attachment->getInfo(st.get(), sizeof kItems, kItems, sizeof info, info);
    st.check();
    if (info[0] != isc_info_implementation) return false;
    const unsigned count = info[3];
    for (unsigned i = 0; i < count && 5 + 2 * i < sizeof info; ++i)
        if (info[5 + 2 * i] == isc_info_db_class_rem_int) return true;
    return false;
}

}  // namespace

namespace fb {

void Status::raise() {
    char buffer[velmora::limits::kErrorMessageBytes];
    const unsigned n = master()->getUtilInterface()->formatStatus(buffer, sizeof buffer, &wrapper_);
    std::string message(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    // File names come as UTF-8; values quoted from the data come in the
    // connection's WIN1252. Keep the message UTF-8 like everything else.
    if (!isValidUtf8(message)) message = win1252ToUtf8(message);
    const intptr_t* errors = wrapper_.getErrors();
    // A call aborted at its deadline fails with a lost connection, which
    // would send the operator looking for a network fault.
    if (const Deadline* deadline = Deadline::running(); deadline && hasCode(errors, isLostConnectionCode))
        if (std::optional<std::string> failure = deadline->failure()) message = std::move(*failure);
    throw DatabaseError(message, firstCode(errors), sqlState(errors), hasCode(errors, isConflictCode));
}

void commit(Handle<ITransaction>& transaction, Status& st) {
    transaction->commit(st.get());
    st.check();
    transaction.disown();  // a successful commit releases the interface
}

}  // namespace fb

IAttachment* Connection::Impl::attached() {
    if (!attachment) throw DatabaseError("Connection is not open");
    return attachment.get();
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
    const auto insert = [&](unsigned char tag, const std::string& value) {
        if (value.empty()) return;
        dpb->insertString(st.get(), tag, value.c_str());
        st.check();
    };
    insert(isc_dpb_user_name, params.user);
    insert(isc_dpb_password, params.password);
    insert(isc_dpb_lc_ctype, "WIN1252");
    dpb->insertInt(st.get(), isc_dpb_sql_dialect, kDialect);
    st.check();
    // Bounds the handshake with a server (an embedded attach ignores it).
    dpb->insertInt(st.get(), isc_dpb_connect_timeout, static_cast<int>(params.timeLimit.count()));
    st.check();

    if (!im.provider) im.provider.reset(master->getDispatcher());
    const unsigned length = st.checked(dpb->getBufferLength(st.get()));
    const unsigned char* buffer = st.checked(dpb->getBuffer(st.get()));
    im.attachment.reset(st.checked(im.provider->attachDatabase(st.get(), params.database.c_str(), length, buffer)));
    im.remote = servedRemotely(im.attachment.get(), st);
}

bool Connection::isOpen() const noexcept { return static_cast<bool>(impl_->attachment); }

bool Connection::responds() noexcept {
    Impl& im = *impl_;
    if (!im.attachment) return false;
    im.attachment->ping(im.status.get());
    return !im.status.failed();
}

}  // namespace db
