// The inside of a Connection, shared with statements: the attachment, the one
// transaction the caller started, and transactions of their own for
// statements that run while none is active.
#pragma once

#include "db/connection.h"
#include "db/fb_status.h"

namespace db {

// Character set id of WIN1252 in Firebird's catalogue.
inline constexpr unsigned kCharSetWin1252 = 53;
// Client SQL dialect of every attachment and prepare: double-quoted texts are
// string constants, as the service's statements expect.
inline constexpr unsigned kDialect = 1;

struct Connection::Impl {
    fb::Status status;
    fb::Handle<Firebird::IProvider> provider;
    fb::Handle<Firebird::IAttachment> attachment;
    fb::Handle<Firebird::ITransaction> transaction;  // started by the caller

    // The attachment, or DatabaseError when the connection was never opened.
    Firebird::IAttachment* attached();

    // A read-committed transaction for one statement run without the
    // caller's transaction; the statement commits it when done.
    fb::Handle<Firebird::ITransaction> startOwnTransaction(bool readOnly);
};

}  // namespace db
