// A connection to a Firebird database (embedded file or server location),
// always in client SQL dialect 1 and character set WIN1252. It holds at most
// one transaction, which every statement of the connection runs in; with none
// active, a statement runs in a transaction of its own that commits on its own.
#pragma once

#include <memory>
#include <string>

namespace db {

struct ConnectParams {
    std::string database;  // "/path/file.fdb", "host:/path", "host/port:alias"
    std::string user;      // each left out of the attachment when empty
    std::string password;
};

enum class Isolation {
    ReadCommitted,  // what the service's transaction routines use; waits at
                    // most 5 s for a row another transaction holds
    Snapshot        // one state of the database for the whole transaction;
                    // a row changed meanwhile by another is an update conflict,
                    // a row held for over 5 s a lock timeout
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Attaches; never interactive. Throws EDatabaseError with the client's message.
    void open(const ConnectParams& params);
    bool isOpen() const noexcept;

    bool inTransaction() const noexcept;
    void startTransaction(Isolation isolation = Isolation::ReadCommitted);
    void commit();    // throws when no transaction is active
    void rollback();  // throws when no transaction is active

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace db
