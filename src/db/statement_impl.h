// The inside of a Statement and of its Cursor: the prepared statement, the
// layout of its output message (worked out once per statement), the bound
// values, and the open cursor with its one row buffer.
#pragma once

#include "db/connection_impl.h"
#include "db/statement.h"

#include <memory>
#include <string>
#include <vector>

namespace db {

// One output column: where its value and NULL flag sit in the row buffer,
// and how to read it.
struct Column {
    unsigned type = 0;  // SQL_* without the nullable bit
    int subType = 0;
    int scale = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    std::string alias;  // UTF-8
    std::string field;
};

struct OutputLayout {
    fb::Handle<Firebird::IMessageMetadata> metadata;
    unsigned messageLength = 0;
    std::vector<Column> columns;
};

struct Cursor::Impl {
    ~Impl();

    // Ends the cursor and commits the result's own transaction (if any).
    void close();
    // The same from a destructor: failures are swallowed, an own transaction
    // that cannot commit is rolled back.
    void abandon() noexcept;

    const Column& column(std::size_t index) const;  // on the current row
    bool isNull(const Column& c) const;
    // The column's text in WIN1252 (character and BLOB columns only).
    std::string_view rawText(const Column& c);

    fb::Status status;
    std::shared_ptr<const OutputLayout> layout;
    Statement::Impl* owner = nullptr;  // cleared when either side goes first
    fb::Ref<Firebird::IAttachment> attachment;
    fb::Ref<Firebird::ITransaction> transaction;        // the caller's, or...
    fb::Handle<Firebird::ITransaction> ownTransaction;  // ...one of its own
    fb::Handle<Firebird::IResultSet> cursor;
    std::unique_ptr<unsigned char[]> row;
    bool onRow = false;
    std::string blob;  // reused for every BLOB value read
};

struct Statement::Impl {
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

    struct Parameter {
        std::string name;   // as written in the statement
        std::string value;  // WIN1252
        bool bound = false;
        bool null = false;  // a text too long to equal any stored value
    };

    explicit Impl(Connection::Impl& c) : connection(c) {}

    Connection::Impl& connection;
    fb::Status status;
    fb::Handle<Firebird::IStatement> statement;
    std::shared_ptr<const OutputLayout> layout;
    std::vector<Parameter> parameters;   // one per distinct name
    std::vector<std::size_t> positions;  // parameter of each "?"
    Cursor::Impl* current = nullptr;
};

}  // namespace db
