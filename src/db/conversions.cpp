// Number and date text for column values, and Firebird's day arithmetic.
#include "db/conversions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace db {
namespace {

constexpr std::int64_t kPow10[19] = {1LL,
                                     10LL,
                                     100LL,
                                     1000LL,
                                     10000LL,
                                     100000LL,
                                     1000000LL,
                                     10000000LL,
                                     100000000LL,
                                     1000000000LL,
                                     10000000000LL,
                                     100000000000LL,
                                     1000000000000LL,
                                     10000000000000LL,
                                     100000000000000LL,
                                     1000000000000000LL,
                                     10000000000000000LL,
                                     100000000000000000LL,
                                     1000000000000000000LL};

void dropTrailingZeros(std::string& out, std::size_t start) {
    const std::size_t dot = out.find('.', start);
    if (dot == std::string::npos) return;
    std::size_t end = out.size();
    while (end > dot + 1 && out[end - 1] == '0') --end;
    if (end == dot + 1) end = dot;
    out.resize(end);
}

// Lays out shortest scientific digits ("d.ddde±x") the way appendShortestReal promises.
void layoutScientific(const char* first, const char* last, std::string& out) {
    std::string_view s(first, std::size_t(last - first));
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    const std::size_t e = s.find('e');
    const std::string_view mantissa = s.substr(0, e);
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+'), s.data() + s.size(), exponent);

    char digits[32];
    std::size_t n = 0;
    for (char c : mantissa)
        if (c != '.') digits[n++] = c;
    if (n == 1 && digits[0] == '0') {  // also turns -0 into 0
        out.push_back('0');
        return;
    }
    if (negative) out.push_back('-');
    if (exponent >= 15 || exponent < -5) {
        out.push_back(digits[0]);
        if (n > 1) {
            out.push_back('.');
            out.append(digits + 1, n - 1);
        }
        out.push_back('E');
        char buf[8];
        const auto r = std::to_chars(buf, buf + sizeof buf, exponent);
        out.append(buf, r.ptr);
    } else if (exponent >= 0) {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (n <= whole) {
            out.append(digits, n);
            out.append(whole - n, '0');
        } else {
            out.append(digits, whole);
            out.push_back('.');
            out.append(digits + whole, n - whole);
        }
    } else {
        out.append("0.");
        out.append(std::size_t(-exponent - 1), '0');
        out.append(digits, n);
    }
}

template <class Float>
void appendShortest(Float value, std::string& out) {
    if (!std::isfinite(value)) {
        out.append(std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF"));
        return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    layoutScientific(buf, r.ptr, out);
}

// --- Dates

// Day 0 of Firebird is 17.11.1858, which is day -40587 counted from 1.1.1970.
constexpr int kFirebirdEpochFromUnix = -40587;
// 30.12.1899 is Firebird day 15018.
constexpr int kDayZeroFromFirebird = 15018;

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

void appendScaled(std::int64_t value, int scale, std::string& out) {
    char buf[48];
    const std::size_t start = out.size();
    if (scale >= 0) {
        const auto r = std::to_chars(buf, buf + sizeof buf, value);
        out.append(buf, r.ptr);
        if (value != 0) out.append(std::size_t(scale), '0');
        return;
    }
    // Work on the magnitude as unsigned so that INT64_MIN is fine too.
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : std::uint64_t(value);
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude);
    std::string_view digits(buf, std::size_t(r.ptr - buf));
    const std::size_t decimals = std::size_t(-scale);
    if (negative) out.push_back('-');
    if (digits.size() <= decimals) {
        out.append("0.");
        out.append(decimals - digits.size(), '0');
        out.append(digits);
    } else {
        out.append(digits.substr(0, digits.size() - decimals));
        out.push_back('.');
        out.append(digits.substr(digits.size() - decimals));
    }
    dropTrailingZeros(out, start);
}

void appendShortestReal(double value, std::string& out) { appendShortest(value, out); }

void appendShortestReal(float value, std::string& out) { appendShortest(value, out); }

void appendRealFixed(double value, int decimals, std::string& out) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e21) {
        appendShortestReal(value, out);
        return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    const std::size_t start = out.size();
    out.append(buf, r.ptr);
    dropTrailingZeros(out, start);
    if (out.compare(start, std::string::npos, "-0") == 0) out.erase(start, 1);
}

double widenFloat(float value) {
    if (!std::isfinite(value)) return value;
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    double wide = value;
    std::from_chars(buf, r.ptr, wide);
    return wide;
}

std::optional<double> parseReal(std::string_view text) {
    text = velmora::trim(text);
    char buf[128];
    if (text.empty() || text.size() >= sizeof buf) return std::nullopt;
    std::size_t n = 0;
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') {
        if (text[0] == '-') buf[n++] = '-';
        ++i;
    }
    bool digits = false, separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            buf[n++] = c;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            buf[n++] = '.';
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
        buf[n++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) buf[n++] = text[i++];
        const std::size_t expStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') buf[n++] = text[i++];
        if (i == expStart || i != text.size()) return std::nullopt;
    }
    double value = 0;
    const auto r = std::from_chars(buf, buf + n, value);
    if (r.ec != std::errc() || r.ptr != buf + n) return std::nullopt;
    return value;
}

std::optional<std::int64_t> parseInt64(std::string_view text) {
    text = velmora::trim(text);
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    if (text.empty() || text[0] == '+') return std::nullopt;
    std::int64_t value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::int32_t> roundToInt32(double value) {
    // nearbyint rounds in the current mode, which is to-nearest-even unless
    // someone changed it; nothing in this program does.
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<std::int32_t> roundToInt32(std::int64_t value, int scale) {
    std::int64_t q = value;
    if (scale < 0) {
        if (scale < -18) return std::int32_t{0};
        const std::int64_t p = kPow10[-scale];
        q = value / p;
        const std::int64_t r = value % p;  // same sign as value
        const std::int64_t twice = 2 * (r < 0 ? -r : r);
        const std::int64_t step = value < 0 ? -1 : 1;
        if (twice > p || (twice == p && q % 2 != 0)) q += step;
    } else if (scale > 0) {
        for (int i = 0; i < scale; ++i) {
            if (q > std::numeric_limits<std::int32_t>::max() || q < std::numeric_limits<std::int32_t>::min())
                return std::nullopt;
            q *= 10;
        }
    }
    if (q < std::numeric_limits<std::int32_t>::min() || q > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(q);
}

double scaledToReal(std::int64_t value, int scale) {
    if (scale == 0) return double(value);
    if (scale < 0 && scale >= -18) {
        // Dividing by an exact power of ten rounds once: 123 / 100 is the
        // double nearest 1.23. Values beyond 2^53 are rounded first anyway.
        return double(value) / double(kPow10[-scale]);
    }
    return double(value) * std::pow(10.0, scale);
}

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

void appendDigitPairs(std::string& out, char separator, std::initializer_list<int> values) {
    bool first = true;
    for (const int v : values) {
        if (!first) out.push_back(separator);
        velmora::appendTwoDigits(v, out);
        first = false;
    }
}

void appendDate(const DateTime& v, std::string& out) {
    appendDigitPairs(out, '.', {v.day, v.month, v.year / 100});  // "dd.mm.yy" of the century,
    velmora::appendTwoDigits(v.year % 100, out);                 // then the year's last two digits
}

void appendTime(const DateTime& v, std::string& out) { appendDigitPairs(out, ':', {v.hour, v.minute, v.second}); }

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
