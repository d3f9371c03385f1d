// Turns a failed client call into DatabaseError, and ends interfaces safely.
#include "db/fb_status.h"
#include "common/limits.h"

#include "db/db_error.h"
#include "db/win1252.h"

#include <ibase.h>

#include <string>

namespace db::fb {
namespace {

// Codes that mean "another transaction got there first": the whole unit of
// work may be retried.
bool isConflictCode(intptr_t code) {
    return code == isc_update_conflict || code == isc_deadlock || code == isc_lock_conflict || code == isc_lock_timeout;
}

bool hasConflict(const intptr_t* v) {
    while (*v != isc_arg_end) {
        const intptr_t type = v[0];
        if (type == isc_arg_gds && isConflictCode(v[1])) return true;
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

}  // namespace

void Status::raise() {
    char buffer[velmora::limits::kErrorMessageBytes];
    const unsigned n = master()->getUtilInterface()->formatStatus(buffer, sizeof buffer, &wrapper_);
    std::string message(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    // File names come as UTF-8; values quoted from the data come in the
    // connection's WIN1252. Keep the message UTF-8 like everything else.
    if (!isValidUtf8(message)) message = win1252ToUtf8(message);
    const intptr_t* errors = wrapper_.getErrors();
    throw DatabaseError(message, firstCode(errors), sqlState(errors), hasConflict(errors));
}

void finish(Firebird::IAttachment* p) noexcept {
    Status st;
    p->detach(st.get());
    if (st.failed()) p->release();
}

void finish(Firebird::ITransaction* p) noexcept {
    Status st;
    p->rollback(st.get());
    if (st.failed()) p->release();
}

void finish(Firebird::IStatement* p) noexcept {
    Status st;
    p->free(st.get());
    if (st.failed()) p->release();
}

void finish(Firebird::IResultSet* p) noexcept {
    Status st;
    p->close(st.get());
    if (st.failed()) p->release();
}

void finish(Firebird::IBlob* p) noexcept {
    Status st;
    p->close(st.get());
    if (st.failed()) p->release();
}

}  // namespace db::fb
