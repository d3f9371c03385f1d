// The text of reals on the wire: 15 significant digits, plain between 1E-4
// and 1E15, scientific outside, "." always. Every real is the value rounded
// to 15 significant digits, whichever way the writer finds those digits
// (prices and rates take a short cut): the reference rounds with printf's
// "%.14e", and the two texts must name the same decimal.
#include "soap/wire_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string formatWireReal(double value) {
    std::string s;
    soap::appendWireReal(s, value);
    return s;
}

double roundedTo15Digits(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", value);
    return std::strtod(text, nullptr);
}

int significantDigits(const std::string& text) {
    int n = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++n;
    }
    return n;
}

void expectRounded(double value) {
    const std::string text = formatWireReal(value);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), roundedTo15Digits(value))
        << "value " << std::hexfloat << value << " written " << text;
    EXPECT_LE(significantDigits(text), 15) << text;
}

}  // namespace

TEST(RealFormat, WritesEveryRowOfTheTable) {
    EXPECT_EQ(formatWireReal(0), "0");
    EXPECT_EQ(formatWireReal(12.5), "12.5");
    EXPECT_EQ(formatWireReal(-3), "-3");
    EXPECT_EQ(formatWireReal(100), "100");
    EXPECT_EQ(formatWireReal(0.0001), "0.0001");
    EXPECT_EQ(formatWireReal(0.00001), "1E-5");
    EXPECT_EQ(formatWireReal(0.000123), "0.000123");
    EXPECT_EQ(formatWireReal(999999999999999.0), "999999999999999");
    EXPECT_EQ(formatWireReal(1e15), "1E15");
    EXPECT_EQ(formatWireReal(123456789.123456789), "123456789.123457");
    EXPECT_EQ(formatWireReal(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(formatWireReal(-1.5e-7), "-1.5E-7");
}

TEST(RealFormat, HandlesMagnitudesAndSpecialValues) {
    EXPECT_EQ(formatWireReal(1000000), "1000000");
    EXPECT_EQ(formatWireReal(0.5), "0.5");
    EXPECT_EQ(formatWireReal(1e16), "1E16");
    EXPECT_EQ(formatWireReal(-0.0), "0");
    EXPECT_EQ(formatWireReal(2.0 / 3), "0.666666666666667");  // rounds up the 15th digit
    EXPECT_EQ(formatWireReal(9999999999999999.0), "1E16");    // rounding carries into a new digit
    EXPECT_EQ(formatWireReal(0.1 + 0.2), "0.3");              // noise beyond 15 digits goes
    EXPECT_EQ(formatWireReal(1.25e-4), "0.000125");
    EXPECT_EQ(formatWireReal(1.5e300), "1.5E300");
    EXPECT_EQ(formatWireReal(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
    EXPECT_EQ(formatWireReal(std::nan("")), "NaN");
    EXPECT_EQ(formatWireReal(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(formatWireReal(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(RealFormatRounding, ShortDecimalsAndTheirBinaryNeighbours) {
    // Values with up to six decimals, and the doubles right beside them: a
    // neighbour has no short decimal form and must not borrow one.
    for (long units : {1L, 7L, 99L, 1234L, 99999L, 100000L, 123456789L, 999999999999L, 99999999999999L}) {
        for (int decimals = 0; decimals <= 6; ++decimals) {
            const double v = static_cast<double>(units) / std::pow(10.0, decimals);
            for (double x : {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300), -v}) expectRounded(x);
        }
    }
    // Magnitudes at the edges of the plain form and of 15 digits.
    for (double v : {0.0001, 0.00011, 0.00009999, 0.001, 999999999999999.0, 99999999999999.9, 9999999999999.99,
                     999999999999.999, 1e15 - 1, 123456789012.3456, 0.1 + 0.2, 1.005, 2.675, 1e-5, 4.35, 8.2})
        expectRounded(v);
}

TEST(RealFormatRounding, PricesRatesAndArbitraryBits) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 200000; ++i) {
        // A price in cents, a rate in hundredths of a percent, a quantity in grams.
        expectRounded(static_cast<double>(rng() % 10000000) / 100);
        expectRounded(static_cast<double>(rng() % 100000) / 10000);
        expectRounded(static_cast<double>(rng() % 100000000) / 1000);
        std::uint64_t bits = rng();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any) && any != 0) expectRounded(any);
    }
}
