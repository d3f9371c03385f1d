// Numbers as text and back, independent of the C locale: "." as decimal
// separator on output; "." or "," accepted on input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace db {

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

}  // namespace db
