// The text of a 64-bit real on the wire: 15 significant digits, "." as the
// decimal separator whatever the locale, plain or scientific by magnitude.
#pragma once

#include <string>

namespace soap {

void appendWireReal(std::string& out, double value);

inline std::string formatWireReal(double value) {
    std::string s;
    appendWireReal(s, value);
    return s;
}

}  // namespace soap
