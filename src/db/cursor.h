// The open result of a statement, read forward only, and the column readers
// that turn a value into text, a real, an integer or a moment.
#pragma once

#include "db/conversions.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace db {

// Every row once, in the server's order; Statement::open() gives one.
class Cursor {
public:
    ~Cursor();
    Cursor(Cursor&&) noexcept;
    Cursor& operator=(Cursor&&) = delete;
    Cursor(const Cursor&) = delete;

    bool next();  // false at the end mark

    std::size_t columnCount() const;
    // Found without regard to letter case (by alias, then by field name);
    // otherwise throws DatabaseError "Field '<name>' not found".
    std::size_t findColumn(std::string_view name) const;

    // The readers below need a current row (after next() gave true) and
    // throw DatabaseError otherwise.
    bool isNull(std::size_t column) const;
    // Appends the column as UTF-8 text: nothing for NULL; character data as
    // stored (CHAR keeps its blanks); integers as their digits ("-7");
    // fixed-point as decimals with "." and no trailing zeros ("1234.5");
    // floating point in its shortest round-trip form ("0.1", "1.5E20");
    // TIMESTAMP and dialect-1 DATE as "dd.mm.yyyy hh:nn:ss", dialect-3 DATE as
    // "dd.mm.yyyy", TIME as "hh:nn:ss" (fractions of a second dropped);
    // BOOLEAN as "True"/"False".
    void appendText(std::size_t column, std::string& out) const;
    std::string text(std::size_t column) const;
    // The same text in the database's WIN1252, without converting it:
    // character data as a view of the row (valid until the next read of this
    // cursor), any other value formatted into `scratch`, whose bytes are the
    // same in both encodings.
    std::string_view win1252Text(std::size_t column, std::string& scratch) const;
    // Numbers and fixed-point values converted (scaled once, whatever their
    // storage); text parsed ("." or "," as decimal separator). NULL gives 0,
    // but a text column that is NULL, empty or no number throws
    // "'<text>' is not a valid floating point value".
    double asReal(std::size_t column) const;
    // As asReal, then rounded to the nearest integer, a half to the even
    // neighbour (2.5 -> 2, 3.5 -> 4); out of 32-bit range throws
    // "'<value>' is not a valid integer value".
    std::int32_t asInteger(std::size_t column) const;
    // DATE, TIMESTAMP or TIME (which stands on day zero); text parsed from
    // "dd.mm.yyyy[ hh:nn[:ss]]" or "yyyy-mm-dd[ hh:nn[:ss]]". A date alone is
    // midnight. NULL gives 30.12.1899 00:00:00; a NULL, empty or unreadable
    // text throws "'<text>' is not a valid date and time".
    DateTime asDateTime(std::size_t column) const;

    struct Impl;

private:
    friend class Statement;
    explicit Cursor(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace db
