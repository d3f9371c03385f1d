// Calendar arithmetic for Firebird's day numbers, and date text.
#include "db/date_time.h"

namespace db {
namespace {

// Day 0 of Firebird is 17.11.1858, which is day -40587 counted from 1.1.1970.
constexpr int kFirebirdEpochFromUnix = -40587;
// 30.12.1899 is Firebird day 15018.
constexpr int kDayZeroFromFirebird = 15018;

void appendTwo(int v, std::string& out) {
    out.push_back(char('0' + v / 10 % 10));
    out.push_back(char('0' + v % 10));
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Reads 1 to maxDigits digits at s[i]; advances i.
bool readNumber(std::string_view s, std::size_t& i, int maxDigits, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < maxDigits) {
        value = value * 10 + (s[i] - '0');
        ++i;
        ++digits;
    }
    return digits > 0;
}

bool isDateSeparator(char c) { return c == '.' || c == '/' || c == '-'; }

}  // namespace

DateTime decodeFirebirdDate(int days) {
    // Civil date from a day count (proleptic Gregorian), after H. Hinnant.
    long z = long(days) + kFirebirdEpochFromUnix + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    DateTime d;
    d.day = int(doy - (153 * mp + 2) / 5 + 1);
    d.month = int(mp < 10 ? mp + 3 : mp - 9);
    d.year = int(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
    d.hour = d.minute = d.second = 0;
    return d;
}

void decodeFirebirdTime(unsigned tenThousandths, DateTime& into) {
    const unsigned seconds = tenThousandths / 10000;
    into.hour = int(seconds / 3600);
    into.minute = int(seconds / 60 % 60);
    into.second = int(seconds % 60);
}

double toDayNumber(int firebirdDays, unsigned tenThousandths) {
    return double(firebirdDays - kDayZeroFromFirebird) + double(tenThousandths) / 864000000.0;
}

void appendDate(const DateTime& v, std::string& out) {
    appendTwo(v.day, out);
    out.push_back('.');
    appendTwo(v.month, out);
    out.push_back('.');
    appendTwo(v.year / 100, out);
    appendTwo(v.year % 100, out);
}

void appendTime(const DateTime& v, std::string& out) {
    appendTwo(v.hour, out);
    out.push_back(':');
    appendTwo(v.minute, out);
    out.push_back(':');
    appendTwo(v.second, out);
}

std::optional<DateTime> parseDateTime(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);

    std::size_t i = 0;
    int a, b, c, da, nb, dc;
    if (!readNumber(s, i, 4, a, da) || i >= s.size() || !isDateSeparator(s[i])) return std::nullopt;
    const char sep = s[i++];
    if (!readNumber(s, i, 2, b, nb) || i >= s.size() || s[i] != sep) return std::nullopt;
    ++i;
    if (!readNumber(s, i, 4, c, dc)) return std::nullopt;

    DateTime r;
    if (da == 4) {  // yyyy-mm-dd
        if (dc > 2) return std::nullopt;
        r.year = a, r.month = b, r.day = c;
    } else {  // dd.mm.yyyy
        if (dc != 4) return std::nullopt;
        r.day = a, r.month = b, r.year = c;
    }
    if (r.year < 1 || r.month < 1 || r.month > 12 || r.day < 1 || r.day > daysInMonth(r.year, r.month))
        return std::nullopt;
    r.hour = r.minute = r.second = 0;
    if (i == s.size()) return r;

    if (s[i] != ' ' && s[i] != 'T') return std::nullopt;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && s[i] == 'T') ++i;
    int h, m, sec = 0, dh, dm, ds;
    if (!readNumber(s, i, 2, h, dh) || i >= s.size() || s[i] != ':') return std::nullopt;
    ++i;
    if (!readNumber(s, i, 2, m, dm) || dm != 2) return std::nullopt;
    if (i < s.size() && s[i] == ':') {
        ++i;
        if (!readNumber(s, i, 2, sec, ds) || ds != 2) return std::nullopt;
        if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
            ++i;
            const std::size_t start = i;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
            if (i == start) return std::nullopt;
        }
    }
    if (i != s.size() || h > 23 || m > 59 || sec > 59) return std::nullopt;
    r.hour = h, r.minute = m, r.second = sec;
    return r;
}

}  // namespace db
