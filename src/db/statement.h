// A prepared statement with ":Name" parameters, bound as text (UTF-8 here,
// WIN1252 on the wire), and its forward-only result.
#pragma once

#include "db/connection.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace db {

// A moment read from a DATE or TIMESTAMP column (or parsed from text).
struct DateTime {
    int year = 1899, month = 12, day = 30;  // NULL reads as day zero
    int hour = 0, minute = 0, second = 0;
};

class Statement;

// The open result of a statement: every row once, in the server's order.
class Result {
public:
    ~Result();
    Result(Result&&) noexcept;
    Result& operator=(Result&&) = delete;
    Result(const Result&) = delete;

    bool next();  // false at the end mark

    std::size_t columnCount() const;
    // Found without regard to letter case (by alias, then by field name);
    // otherwise throws EDatabaseError "Field '<name>' not found".
    std::size_t findColumn(std::string_view name) const;

    bool isNull(std::size_t column) const;
    // Appends the column as UTF-8 text (nothing for NULL; CHAR keeps its blanks;
    // integers as their decimal digits).
    void appendText(std::size_t column, std::string& out) const;
    std::string text(std::size_t column) const;
    double asReal(std::size_t column) const;         // NULL gives 0
    std::int32_t asInteger(std::size_t column) const;  // NULL gives 0; halves to even
    DateTime asDateTime(std::size_t column) const;   // NULL gives 30.12.1899 00:00:00

    struct Impl;

private:
    friend class Statement;
    explicit Result(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class Statement {
public:
    // Prepares at once; the text may hold ":Name" parameters.
    Statement(Connection& connection, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Every occurrence of ":name" (letter case ignored) gets this text.
    void bind(std::string_view name, std::string_view utf8Text);
    Result open();   // executes a select
    void execute();  // executes an update or delete

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace db
