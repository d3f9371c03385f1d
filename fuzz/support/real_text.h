// The wire text of a 64-bit real checked against the value it stands for:
// 15 significant digits, plain or scientific by magnitude, no "+", no
// needless zeros, "." as the separator.
#pragma once

#include <string_view>

namespace fuzzsupport {

// Aborts with a report when `text` is not how `value` must be written.
void checkRealText(std::string_view text, double value);

}  // namespace fuzzsupport
