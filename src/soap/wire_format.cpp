// The text of a 64-bit real on the wire: 15 significant digits, "." as the
// decimal separator whatever the locale, plain or scientific by magnitude.
#include "soap/wire_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace soap {

namespace {

constexpr double kPow10[] = {1, 10, 100, 1000, 10000};

// Most reals on the wire are prices, rates and quantities with a few
// decimals. When a decimal of at most 15 significant digits and at most four
// decimals reads back as the value, it is also the value rounded to 15
// digits (the value lies within half a binary unit of it, far closer than
// half the distance to the next 15-digit decimal), so its digits can be
// taken as they are instead of rounding the value's exact binary expansion.
bool shortDecimal(double magnitude, char* digits, int& n, int& e) {
    for (int k = 0; k < 5; ++k) {
        const double scaled = magnitude * kPow10[k];
        if (scaled >= 1e15) return false;
        const double whole = std::nearbyint(scaled);
        if (whole < 1 || whole / kPow10[k] != magnitude) continue;
        const auto end = std::to_chars(digits, digits + 16, static_cast<std::uint64_t>(whole)).ptr;
        n = static_cast<int>(end - digits);
        e = n - k;
        while (n > 1 && digits[n - 1] == '0') --n;
        return true;
    }
    return false;
}

}  // namespace

void appendWireReal(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    char digits[24];
    int n = 0;
    int e = 0;  // value = 0.d1d2...dn times 10^e
    if (!shortDecimal(std::abs(value), digits, n, e)) {
        // d.dddddddddddddde[+-]x: 15 significant digits, correctly rounded.
        char buf[40];
        const auto res = std::to_chars(buf, buf + sizeof buf, std::abs(value), std::chars_format::scientific, 14);
        const char* ePos = buf;
        while (*ePos != 'e') ++ePos;
        for (const char* p = buf; p < ePos; ++p)
            if (*p != '.') digits[n++] = *p;
        while (n > 1 && digits[n - 1] == '0') --n;
        int exp10 = 0;
        std::from_chars(ePos + 1 + (ePos[1] == '+'), res.ptr, exp10);
        e = exp10 + 1;
    }

    char text[48];
    char* t = text;
    if (value < 0) *t++ = '-';
    if (e > 15 || e < -3) {
        *t++ = digits[0];
        if (n > 1) {
            *t++ = '.';
            for (int i = 1; i < n; ++i) *t++ = digits[i];
        }
        *t++ = 'E';
        t = std::to_chars(t, text + sizeof text, e - 1).ptr;
    } else if (e > 0) {
        for (int i = 0; i < e; ++i) *t++ = i < n ? digits[i] : '0';
        if (n > e) {
            *t++ = '.';
            for (int i = e; i < n; ++i) *t++ = digits[i];
        }
    } else {
        *t++ = '0';
        *t++ = '.';
        for (int i = 0; i < -e; ++i) *t++ = '0';
        for (int i = 0; i < n; ++i) *t++ = digits[i];
    }
    out.append(text, t);
}

}  // namespace soap
