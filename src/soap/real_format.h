// The text of a 64-bit real on the wire: 15 significant digits, "." as the
// decimal separator whatever the locale, plain or scientific by magnitude.
#pragma once

#include <string>

namespace soap {

void appendReal(std::string& out, double value);

inline std::string formatReal(double value) {
    std::string s;
    appendReal(s, value);
    return s;
}

}  // namespace soap
