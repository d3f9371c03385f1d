// How a column's value becomes text, a real, an integer or a moment, and
// back: numbers and dates as text independent of the C locale ("." as
// decimal separator on output, "." or "," on input), Firebird's day and time
// counts, and the WIN1252 conversions the adapter uses.
#pragma once

#include "common/text.h"
#include "common/win1252.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace db {

using velmora::appendUtf8AsWin1252;
using velmora::appendWin1252AsUtf8;
using velmora::isValidUtf8;
using velmora::utf8ToWin1252;
using velmora::win1252ToUtf8;

// --- Numbers

// An integer with a decimal scale (value * 10^scale, scale <= 0) as decimal
// text, trailing fractional zeros dropped: 1250 with scale -2 gives "12.5".
void appendScaled(std::int64_t value, int scale, std::string& out);

// The shortest text that reads back as the same double: plain notation for
// exponents -5..14 ("0.0001", "123.45"), else "1.5E20" / "2E-7".
void appendShortestReal(double value, std::string& out);
// The same for a single-precision value (shortest float digits: 1.1f gives "1.1").
void appendShortestReal(float value, std::string& out);
// Rounded to a number of decimals, trailing fractional zeros dropped.
void appendRealFixed(double value, int decimals, std::string& out);

// The float's shortest digits read as a double (1.1f gives 1.1, not 1.100000023841858).
double widenFloat(float value);

// Decimal text to double: blanks around it ignored, optional sign, digits with
// one "." or "," decimal separator, optional exponent. Nothing else.
std::optional<double> parseReal(std::string_view text);
// Integer text: blanks around it ignored, optional sign, digits only.
std::optional<std::int64_t> parseInt64(std::string_view text);

// Rounding to the nearest 32-bit integer, a half to the even neighbour.
// Empty when the result does not fit (or the value is not finite).
std::optional<std::int32_t> roundToInt32(double value);
std::optional<std::int32_t> roundToInt32(std::int64_t value, int scale);

// value * 10^scale as the nearest double.
double scaledToReal(std::int64_t value, int scale);

// --- Dates and times

// A moment read from a DATE or TIMESTAMP column (or parsed from text).
struct DateTime {
    int year = 1899, month = 12, day = 30;  // NULL reads as day zero
    int hour = 0, minute = 0, second = 0;
};

// Firebird stores days since 17 November 1858 and ten-thousandths of a second
// since midnight. Fractions of a second are dropped, not rounded:
// 23:59:59.9999 stays on its day.
DateTime decodeFirebirdDate(int days);
void decodeFirebirdTime(unsigned tenThousandths, DateTime& into);

// Days since 30 December 1899 with the time of day as the fraction.
double toDayNumber(int firebirdDays, unsigned tenThousandths);

// Two digits for each value, the separator between them: {9, 5} gives "09:05".
void appendDigitPairs(std::string& out, char separator, std::initializer_list<int> values);
void appendDate(const DateTime& value, std::string& out);  // "dd.mm.yyyy"
void appendTime(const DateTime& value, std::string& out);  // "hh:nn:ss"

// "dd.mm.yyyy[ hh:nn[:ss]]" (also with "/" or "-" between the date's parts)
// or ISO "yyyy-mm-dd[ hh:nn[:ss]]" (also with "T"); fractions of a second are
// accepted and dropped; blanks around the text ignored. Empty for anything
// else, including dates that do not exist.
std::optional<DateTime> parseDateTime(std::string_view text);

}  // namespace db
