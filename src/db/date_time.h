// Dates and times as Firebird stores them (days since 17 November 1858, and
// ten-thousandths of a second since midnight), as text, and parsed from text.
#pragma once

#include "db/statement.h"

#include <optional>
#include <string>
#include <string_view>

namespace db {

// Fractions of a second are dropped, not rounded: 23:59:59.9999 stays on its day.
DateTime decodeFirebirdDate(int days);
void decodeFirebirdTime(unsigned tenThousandths, DateTime& into);

// Days since 30 December 1899 with the time of day as the fraction.
double toDayNumber(int firebirdDays, unsigned tenThousandths);

void appendDate(const DateTime& value, std::string& out);  // "dd.mm.yyyy"
void appendTime(const DateTime& value, std::string& out);  // "hh:nn:ss"

// "dd.mm.yyyy[ hh:nn[:ss]]" (also with "/" or "-" between the date's parts)
// or ISO "yyyy-mm-dd[ hh:nn[:ss]]" (also with "T"); fractions of a second are
// accepted and dropped; blanks around the text ignored. Empty for anything
// else, including dates that do not exist.
std::optional<DateTime> parseDateTime(std::string_view text);

}  // namespace db
