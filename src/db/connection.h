// A connection to a Firebird database (embedded file or server location),
// always in client SQL dialect 1 and character set WIN1252, and the error
// every failure of the adapter is reported with.
#pragma once

#include "common/exception.h"
#include "common/limits.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace db {

// A failure reported by Firebird: the client's message, its first error code
// and SQLSTATE (for callers that tell failures apart), and whether another
// transaction got there first (worth retrying the whole unit).
class DatabaseError : public velmora::EDatabaseError {
public:
    explicit DatabaseError(const std::string& message, std::intptr_t errorCode = 0, std::string sqlState = {},
                           bool updateConflict = false)
        : velmora::EDatabaseError(message),
          errorCode_(errorCode),
          sqlState_(std::move(sqlState)),
          updateConflict_(updateConflict) {}

    // Firebird's code (isc_*), 0 for a failure the adapter itself found.
    std::intptr_t errorCode() const noexcept { return errorCode_; }
    // Five characters ("42000"), empty when the client gave none.
    const std::string& sqlState() const noexcept { return sqlState_; }
    // An update conflict, deadlock or lock timeout with a concurrent transaction.
    bool updateConflict() const noexcept { return updateConflict_; }

private:
    std::intptr_t errorCode_;
    std::string sqlState_;
    bool updateConflict_;
};

struct ConnectParams {
    std::string database;  // "/path/file.fdb", "host:/path", "host/port:alias"
    std::string user;      // each left out of the attachment when empty
    std::string password;
    // The longest a call waits for the database (see db/deadline.h).
    std::chrono::seconds timeLimit{velmora::limits::kDatabaseTimeLimitSeconds};

    // The same attachment: the time limit is no part of it.
    bool operator==(const ConnectParams& o) const {
        return database == o.database && user == o.user && password == o.password;
    }
};

// Transactions are begun on it by db::Transaction, which every statement is
// given (db/statement.h).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Attaches; never interactive. An attach to a server that does not answer
    // gives up after the time limit. Throws DatabaseError with the client's
    // message.
    void open(const ConnectParams& params);
    bool isOpen() const noexcept;
    // Whether the attachment still answers (one round trip to a server): false
    // when it was never opened or has been lost (the server restarted, the
    // network was cut).
    bool responds() noexcept;

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace db
