// The two date patterns: one writes minutes and seconds (the hour is lost),
// the other hours and minutes; day zero stands for NULL.
#include "records/query_frame.h"

#include <gtest/gtest.h>

namespace {

std::string format(const db::DateTime& m, bool hourMinute) {
    std::string out = "x";  // appends, never replaces
    records::appendDateText(m, hourMinute, out);
    return out.substr(1);
}

TEST(DateText, MinutesSecondsPatternDropsTheHour) {
    EXPECT_EQ(format({2010, 2, 3, 14, 5, 9}, false), "03.02.2010 05:09");
    EXPECT_EQ(format({2024, 3, 5, 14, 30, 15}, false), "05.03.2024 30:15");
}

TEST(DateText, HourMinutePatternKeepsTheHour) {
    EXPECT_EQ(format({2010, 2, 3, 14, 5, 9}, true), "03.02.2010 14:05");
    EXPECT_EQ(format({2010, 12, 31, 23, 59, 59}, true), "31.12.2010 23:59");
}

TEST(DateText, DayZeroAndEarlyYearsKeepFourDigits) {
    EXPECT_EQ(format(db::DateTime{}, false), "30.12.1899 00:00");
    EXPECT_EQ(format(db::DateTime{}, true), "30.12.1899 00:00");
    EXPECT_EQ(format({5, 1, 1, 0, 0, 0}, true), "01.01.0005 00:00");
}

}  // namespace
