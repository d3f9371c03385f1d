// The text of reals on the wire: 15 significant digits, plain between 1E-4
// and 1E15, scientific outside, "." always.
#include "soap/real_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using soap::formatWireReal;

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
