// A prepared statement with ":Name" parameters, bound as text (UTF-8 here,
// WIN1252 on the wire), and the mapping of those names to the "?" positions
// Firebird knows.
#pragma once

#include "db/cursor.h"
#include "db/transaction.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class Statement {
public:
    // Prepares at once in `transaction`, and runs in it; the text may hold
    // ":Name" parameters. The statement and its results must not outlive
    // the transaction.
    Statement(Transaction& transaction, std::string_view sql);
    ~Statement();
    Statement(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Every occurrence of ":name" (letter case ignored) gets this text; an
    // unknown name throws "Parameter '<name>' not found". Running with a
    // parameter left unbound throws "No value for parameter '<name>'".
    void bind(std::string_view name, std::string_view utf8Text);
    // Executes a select. Opening again executes it again and ends the
    // previous result of this statement.
    Cursor open();
    // Executes an update or delete.
    void execute();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// What a ":Name" becomes where a cast is needed: a text of at most `bytes`.
// Left bare, "?" takes the type of what it is compared with, so a text longer
// than that column would fail with "string right truncation" instead of
// simply matching nothing; the cast keeps the parameter a text of its own
// length.
std::string namedParameter(std::size_t bytes);

struct PositionalSql {
    std::string sql;                 // every ":Name" replaced by "?" or namedParameter(castBytes)
    std::vector<std::string> names;  // the name at each "?", in order ("" for a "?" written as such)
    std::vector<bool> bare;          // whether that ":Name" became a bare "?"
};

// Text inside single or double quotes (both are string constants in dialect
// 1) and inside "--" and "/* */" comments is left alone. A name is a run of
// letters, digits, "_" and "$" right after the colon. With `bareEqualities`,
// a name on either side of an equality ("col = :Name", ":Name = col") stays
// a bare "?": it takes the column's type, which is cheaper to prepare than a
// cast, and Statement sends a text longer than that column as NULL, so that
// it matches nothing as before. Every other name is cast.
PositionalSql toPositional(std::string_view sql, std::size_t castBytes, bool bareEqualities);

}  // namespace db
