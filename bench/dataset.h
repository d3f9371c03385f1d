// Who the benchmark's pending products belong to, and how a product code is
// made: shared by the generator, the floor programs and the trivial CGI.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace bench::dataset {

inline constexpr std::string_view company = "1";
inline constexpr std::string_view terminal = "001";      // one queue row per product
inline constexpr std::string_view idleTerminal = "002";  // nothing pending: the empty import
inline constexpr std::string_view grade = "0";

// EAN-13-like codes, unique per product number (1-based).
inline std::string productCode(long number) {
    char code[24];
    std::snprintf(code, sizeof code, "789%010ld", number);
    return code;
}

}  // namespace bench::dataset
