// Number formatting and parsing for column values.
#include "db/number_text.h"

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

std::string_view trimBlanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

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
    text = trimBlanks(text);
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
    text = trimBlanks(text);
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

}  // namespace db
