#include "soap/real_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace soap {

void appendReal(std::string& out, double value) {
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
    // d.dddddddddddddde[+-]x: 15 significant digits, correctly rounded.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::abs(value), std::chars_format::scientific, 14);
    const char* ePos = buf;
    while (*ePos != 'e')
        ++ePos;
    char digits[15];
    int n = 0;
    for (const char* p = buf; p < ePos; ++p)
        if (*p != '.')
            digits[n++] = *p;
    while (n > 1 && digits[n - 1] == '0')
        --n;
    int exp10 = 0;
    std::from_chars(ePos + 1 + (ePos[1] == '+'), res.ptr, exp10);
    const int e = exp10 + 1;  // value = 0.d1d2...dn times 10^e

    char text[48];
    char* t = text;
    if (value < 0)
        *t++ = '-';
    if (e > 15 || e < -3) {
        *t++ = digits[0];
        if (n > 1) {
            *t++ = '.';
            for (int i = 1; i < n; ++i)
                *t++ = digits[i];
        }
        *t++ = 'E';
        t = std::to_chars(t, text + sizeof text, e - 1).ptr;
    } else if (e > 0) {
        for (int i = 0; i < e; ++i)
            *t++ = i < n ? digits[i] : '0';
        if (n > e) {
            *t++ = '.';
            for (int i = e; i < n; ++i)
                *t++ = digits[i];
        }
    } else {
        *t++ = '0';
        *t++ = '.';
        for (int i = 0; i < -e; ++i)
            *t++ = '0';
        for (int i = 0; i < n; ++i)
            *t++ = digits[i];
    }
    out.append(text, t);
}

} // namespace soap
