// Numbers and dates as text and back: the forms the reading rules produce
// and the texts they accept.
#include "db/conversions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

using namespace db;

std::string scaled(std::int64_t v, int scale) {
    std::string s;
    appendScaled(v, scale, s);
    return s;
}

std::string real(double v) {
    std::string s;
    appendShortestReal(v, s);
    return s;
}

std::string date(int firebirdDays) {
    std::string s;
    appendDate(decodeFirebirdDate(firebirdDays), s);
    return s;
}

TEST(NumberText, FixedPointAsDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(scaled(123456, -2), "1234.56");
    EXPECT_EQ(scaled(123450, -2), "1234.5");
    EXPECT_EQ(scaled(123400, -2), "1234");
    EXPECT_EQ(scaled(-5, -2), "-0.05");
    EXPECT_EQ(scaled(0, -4), "0");
    EXPECT_EQ(scaled(-7, 0), "-7");
    EXPECT_EQ(scaled(std::numeric_limits<std::int64_t>::min(), -4), "-922337203685477.5808");
    EXPECT_EQ(scaled(std::numeric_limits<std::int64_t>::min(), 0), "-9223372036854775808");
}

TEST(NumberText, RealsInShortestRoundTripForm) {
    EXPECT_EQ(real(0.1), "0.1");
    EXPECT_EQ(real(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(real(-2.5), "-2.5");
    EXPECT_EQ(real(100), "100");
    EXPECT_EQ(real(-0.0), "0");
    EXPECT_EQ(real(0.0001), "0.0001");
    EXPECT_EQ(real(0.00001), "0.00001");
    EXPECT_EQ(real(0.000001), "1E-6");
    EXPECT_EQ(real(123456789012345.0), "123456789012345");
    EXPECT_EQ(real(1e15), "1E15");
    EXPECT_EQ(real(1.5e20), "1.5E20");
    std::string f;
    appendShortestReal(1.1f, f);
    EXPECT_EQ(f, "1.1");
    EXPECT_EQ(widenFloat(1.1f), 1.1);

    std::string fixed;
    appendRealFixed(1234.5600000000002, 2, fixed);
    EXPECT_EQ(fixed, "1234.56");
    fixed.clear();
    appendRealFixed(-0.001, 2, fixed);
    EXPECT_EQ(fixed, "0");
}

TEST(NumberText, ParsingAcceptsOneDecimalSeparatorOfEitherKind) {
    EXPECT_EQ(parseReal("12.5"), 12.5);
    EXPECT_EQ(parseReal(" 12,5 "), 12.5);
    EXPECT_EQ(parseReal("-0.25"), -0.25);
    EXPECT_EQ(parseReal("+3"), 3.0);
    EXPECT_EQ(parseReal("1e3"), 1000.0);
    EXPECT_EQ(parseReal(".5"), 0.5);
    for (const char* bad :
         {"", "  ", "abc", "1.2.3", "1,234.5", "12a", "e5", "1e", "inf", "nan", "--1", "1 2", "1e999"})
        EXPECT_FALSE(parseReal(bad).has_value()) << bad;

    EXPECT_EQ(parseInt64(" 42 "), 42);
    EXPECT_EQ(parseInt64("+42"), 42);
    EXPECT_EQ(parseInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(parseInt64("9223372036854775808").has_value());
    EXPECT_FALSE(parseInt64("4.0").has_value());
    EXPECT_FALSE(parseInt64("++4").has_value());
}

TEST(NumberText, RoundingToInt32GoesHalfToEvenAndChecksRange) {
    EXPECT_EQ(roundToInt32(2.5), 2);
    EXPECT_EQ(roundToInt32(3.5), 4);
    EXPECT_EQ(roundToInt32(-2.5), -2);
    EXPECT_EQ(roundToInt32(-3.5), -4);
    EXPECT_EQ(roundToInt32(2.4999), 2);
    EXPECT_EQ(roundToInt32(2147483647.4), 2147483647);
    EXPECT_FALSE(roundToInt32(2147483647.5).has_value());  // even neighbour is 2^31
    EXPECT_EQ(roundToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(roundToInt32(std::numeric_limits<double>::quiet_NaN()).has_value());

    EXPECT_EQ(roundToInt32(250, -2), 2);
    EXPECT_EQ(roundToInt32(350, -2), 4);
    EXPECT_EQ(roundToInt32(-250, -2), -2);
    EXPECT_EQ(roundToInt32(-350, -2), -4);
    EXPECT_EQ(roundToInt32(251, -2), 3);
    EXPECT_EQ(roundToInt32(-249, -2), -2);
    EXPECT_EQ(roundToInt32(-5, -1), 0);
    EXPECT_FALSE(roundToInt32(std::int64_t{3000000000}, 0).has_value());
    EXPECT_FALSE(roundToInt32(std::numeric_limits<std::int64_t>::min(), 0).has_value());
    EXPECT_EQ(scaledToReal(123, -2), 1.23);
}

TEST(DateText, FirebirdDayNumbersAsCalendarDates) {
    EXPECT_EQ(date(0), "17.11.1858");
    EXPECT_EQ(date(15018), "30.12.1899");  // day zero of the reading rules
    EXPECT_EQ(date(15079), "01.03.1900");  // 1900 has no 29 February
    EXPECT_EQ(date(51603), "29.02.2000");
    EXPECT_EQ(date(-1), "16.11.1858");
    DateTime t;
    decodeFirebirdTime(14 * 36000000u + 5 * 600000u + 9 * 10000u + 9999u, t);
    std::string s;
    appendTime(t, s);
    EXPECT_EQ(s, "14:05:09");
    EXPECT_DOUBLE_EQ(toDayNumber(15018 + 1, 432000000u), 1.5);
}

TEST(DateText, ParsingAcceptsDottedAndIsoForms) {
    auto check = [](const char* text, int y, int mo, int d, int h, int mi, int s) {
        SCOPED_TRACE(text);
        const auto v = parseDateTime(text);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->year, y);
        EXPECT_EQ(v->month, mo);
        EXPECT_EQ(v->day, d);
        EXPECT_EQ(v->hour, h);
        EXPECT_EQ(v->minute, mi);
        EXPECT_EQ(v->second, s);
    };
    check("03.02.2010", 2010, 2, 3, 0, 0, 0);
    check(" 3.2.2010 14:05 ", 2010, 2, 3, 14, 5, 0);
    check("03/02/2010 14:05:09", 2010, 2, 3, 14, 5, 9);
    check("2010-02-03", 2010, 2, 3, 0, 0, 0);
    check("2010-02-03T14:05:09.123", 2010, 2, 3, 14, 5, 9);
    check("29.02.2000", 2000, 2, 29, 0, 0, 0);
    for (const char* bad :
         {"", "2010", "03.02.10", "31.04.2010", "29.02.1900", "00.01.2010", "03.13.2010", "03.02-2010",
          "03.02.2010 24:00", "03.02.2010 14:60", "03.02.2010 14", "03.02.2010x", "2010-02-03 14:05:61", "14:05"})
        EXPECT_FALSE(parseDateTime(bad).has_value()) << bad;
}

}  // namespace
