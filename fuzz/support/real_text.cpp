#include "support/real_text.h"

#include "support/fuzz_check.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzzsupport {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t digitRun(std::string_view s, std::size_t i) {
    while (i < s.size() && isDigit(s[i])) ++i;
    return i;
}

}  // namespace

void checkRealText(std::string_view text, double value) {
    const std::string detail = std::string(text);
    if (std::isnan(value)) return check(text == "NaN", "NaN is written NaN", detail);
    if (std::isinf(value)) return check(text == (value > 0 ? "INF" : "-INF"), "infinity as INF or -INF", detail);

    // The C library's correctly rounded 15 digits are the reference.
    char reference[64];
    std::snprintf(reference, sizeof reference, "%.14e", value);
    const double rounded = std::strtod(reference, nullptr);
    const int exponent = rounded == 0 ? 0 : std::atoi(std::strchr(reference, 'e') + 1);

    // Shape: [-] digits [. digits] [E [-] digits], nothing else.
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t intStart = i;
    i = digitRun(text, i);
    check(i > intStart, "a real starts with a digit", detail);
    check(i - intStart == 1 || text[intStart] != '0', "no leading zero", detail);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        i = digitRun(text, i);
        check(i > fracStart, "digits after the separator", detail);
        check(text[i - 1] != '0', "no trailing zero after the separator", detail);
    }
    bool scientific = false;
    if (i < text.size() && text[i] == 'E') {
        scientific = true;
        ++i;
        if (i < text.size() && text[i] == '-') ++i;
        const std::size_t expStart = i;
        i = digitRun(text, i);
        check(i > expStart && text[expStart] != '0', "an exponent without sign or leading zero", detail);
    }
    check(i == text.size(), "nothing after the number", detail);

    check(std::strtod(detail.c_str(), nullptr) == rounded, "the value rounded to 15 significant digits", detail);
    check(scientific == (rounded != 0 && (exponent >= 15 || exponent <= -5)),
          "scientific form exactly for magnitudes from 1E15 and below 1E-4", detail);
    check(text.front() != '-' || rounded < 0, "no sign on zero", detail);
}

}  // namespace fuzzsupport
