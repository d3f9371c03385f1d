// The adapter's inside, shared by its files: ownership of Firebird's client
// interfaces, the status every client call is checked with, and the state of
// a Connection, a Transaction, a Statement and its Cursor.
#pragma once

#include "db/connection.h"
#include "db/cursor.h"
#include "db/statement.h"
#include "db/transaction.h"

#include <firebird/Interface.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace db {

// Character set id of WIN1252 in Firebird's catalogue.
inline constexpr unsigned kCharSetWin1252 = 53;
// Client SQL dialect of every attachment and prepare: double-quoted texts are
// string constants, as the service's statements expect.
inline constexpr unsigned kDialect = 1;

namespace fb {

inline Firebird::IMaster* master() noexcept { return Firebird::fb_get_master_interface(); }

// The status vector every client call takes. The client clears it at the
// start of each call, so it is checked right after each one.
class Status {
public:
    Status() : owned_(master()->getStatus()), wrapper_(owned_) {}
    ~Status() { owned_->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    Firebird::CheckStatusWrapper* get() noexcept { return &wrapper_; }
    bool failed() const noexcept { return (wrapper_.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }
    // Throws DatabaseError with the client's message when the last call failed.
    void check() {
        if (failed()) raise();
    }
    // The value a call returned, once its status is checked:
    //   c.type = st.checked(meta->getType(st.get(), i));
    template <class T>
    T checked(T value) {
        check();
        return value;
    }
    [[noreturn]] void raise();

private:
    Firebird::IStatus* owned_;
    Firebird::CheckStatusWrapper wrapper_;
};

// Interfaces ended by a call of their own rather than merely released.
template <class T>
concept EndedByCall = std::is_same_v<T, Firebird::IAttachment> || std::is_same_v<T, Firebird::ITransaction> ||
    std::is_same_v<T, Firebird::IStatement> || std::is_same_v<T, Firebird::IResultSet> ||
    std::is_same_v<T, Firebird::IBlob>;

// How an interface is ended when its owner lets go of it, also while an
// exception unwinds: an attachment is detached, a transaction rolled back, a
// statement freed, a cursor or BLOB closed, and if that fails it is only
// released; any other interface is released or disposed of.
template <class T>
void finish(T* p) noexcept {
    if constexpr (EndedByCall<T>) {
        Status st;
        if constexpr (std::is_same_v<T, Firebird::IAttachment>)
            p->detach(st.get());
        else if constexpr (std::is_same_v<T, Firebird::ITransaction>)
            p->rollback(st.get());
        else if constexpr (std::is_same_v<T, Firebird::IStatement>)
            p->free(st.get());
        else
            p->close(st.get());
        if (st.failed()) p->release();
    } else if constexpr (std::is_base_of_v<Firebird::IDisposable, T>) {
        p->dispose();
    } else {
        p->release();
    }
}

// Sole owner of one interface.
template <class T>
class Handle {
public:
    Handle() noexcept = default;
    explicit Handle(T* p) noexcept : p_(p) {}
    ~Handle() { reset(); }
    Handle(Handle&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Handle& operator=(Handle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.p_, nullptr));
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    void reset(T* p = nullptr) noexcept {
        if (p_) finish(p_);
        p_ = p;
    }
    // Gives up ownership, without a call on the interface (Firebird's own
    // release() drops a reference), after commit(), rollback(), close() or
    // free() succeeded: those calls release the interface themselves.
    T* disown() noexcept { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

// A second reference to an interface someone else owns, for an object that
// may outlive the owner's use of it (a cursor reading in the caller's
// transaction after the caller committed gets an error, not a dangling pointer).
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    ~Ref() { reset(nullptr); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    // Holds p, with a reference of its own, instead of what it held before.
    void reset(T* p) noexcept {
        if (p) p->addRef();
        if (p_) p_->release();
        p_ = p;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }

private:
    T* p_ = nullptr;
};

// Commits a transaction and lets go of it; on failure it stays owned.
void commit(Handle<Firebird::ITransaction>& transaction, Status& st);

}  // namespace fb

struct Connection::Impl {
    fb::Status status;
    fb::Handle<Firebird::IProvider> provider;
    fb::Handle<Firebird::IAttachment> attachment;
    // Whether the attachment reaches a server through the network client,
    // which keeps what each prepare described (asking again is a round
    // trip), rather than the engine in this process.
    bool remote = false;

    // The attachment, or DatabaseError when the connection was never opened.
    Firebird::IAttachment* attached();
};

struct Transaction::Impl {
    explicit Impl(Connection::Impl& c) : connection(c) {}

    // The transaction, or DatabaseError once it has ended.
    Firebird::ITransaction* active();

    Connection::Impl& connection;
    fb::Handle<Firebird::ITransaction> handle;  // empty once committed or rolled back
};

// One output column: where its value and NULL flag sit in the row buffer,
// and how to read it.
struct Column {
    unsigned type = 0;  // SQL_* without the nullable bit
    int scale = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    std::string alias;  // UTF-8
    std::string field;
};

// The layout of a statement's output message, worked out once per statement.
struct OutputLayout {
    fb::Handle<Firebird::IMessageMetadata> metadata;
    unsigned messageLength = 0;
    std::vector<Column> columns;
};

struct Cursor::Impl {
    ~Impl();

    // Ends the cursor.
    void close();
    // The same from a destructor: failures are swallowed.
    void abandon() noexcept;

    const Column& column(std::size_t index) const;  // on the current row
    bool isNull(const Column& c) const;
    // Where the column's value sits in the row, or nullptr for NULL; a NULL
    // text throws "'' is not a valid <what>" when `what` names what the
    // reader needs.
    const unsigned char* value(const Column& c, const char* what) const;
    // The column's text in WIN1252 (character and BLOB columns only).
    std::string_view rawText(const Column& c);

    fb::Status status;
    std::shared_ptr<const OutputLayout> layout;
    Statement::Impl* owner = nullptr;  // cleared when either side goes first
    fb::Ref<Firebird::IAttachment> attachment;
    fb::Ref<Firebird::ITransaction> transaction;  // the statement's (BLOBs are read in it)
    fb::Handle<Firebird::IResultSet> cursor;
    std::unique_ptr<unsigned char[]> row;
    bool onRow = false;
    std::string blob;  // reused for every BLOB value read
};

struct Statement::Impl {
    explicit Impl(Transaction::Impl& t) : transaction(t), connection(t.connection) {}
    ~Impl();

    // A new open() or execute() ends the result still open on this statement.
    void closeCurrent() noexcept;

    // The input message for the bound values: every parameter as VARCHAR
    // WIN1252; the server converts to the type it needs.
    struct Input {
        fb::Handle<Firebird::IMessageMetadata> metadata;
        std::vector<unsigned char> buffer;
    };
    Input buildInput();

    // Prepares `positionalSql`, the text with its cast ":Name" parameters
    // cast to texts of at most `bytes`; fitCasts() prepares again for the
    // longest when a bound value does not fit a cast.
    void prepare(const std::string& positionalSql, std::size_t bytes);
    void fitCasts();
    // The longest text each bare "?" can equal; false when one stands for a
    // column that is not text.
    bool readColumnBytes();
    // Whether any "?" takes its column's type.
    bool anyBare() const { return std::find(bare.begin(), bare.end(), true) != bare.end(); }

    struct Parameter {
        std::string name;   // as written in the statement
        std::string value;  // WIN1252
        bool bound = false;
        bool null = false;  // a text too long to equal any stored value
    };

    Transaction::Impl& transaction;  // prepared and run in it
    Connection::Impl& connection;
    fb::Status status;
    std::string sql;            // as given, UTF-8
    std::size_t castBytes = 0;  // what the prepared statement's casts hold
    fb::Handle<Firebird::IStatement> statement;
    std::shared_ptr<const OutputLayout> layout;
    std::vector<Parameter> parameters;     // one per distinct name
    std::vector<std::size_t> positions;    // parameter of each "?"
    std::vector<bool> bare;                // whether each "?" takes its column's type
    std::vector<std::size_t> columnBytes;  // the longest text each bare "?" can equal
    Cursor::Impl* current = nullptr;
};

}  // namespace db
