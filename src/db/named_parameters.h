// Firebird knows only "?" parameters; the service's statements name theirs
// (":PCodEmpresa"). This maps the names to positions once per statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db {

// What a ":Name" becomes. Left bare, "?" takes the type of what it is compared
// with, so a text longer than that column would fail with "string right
// truncation" instead of simply matching nothing; the cast keeps every text
// parameter a text of its own length (up to the VARCHAR limit).
inline constexpr std::string_view kNamedParameter = "CAST(? AS VARCHAR(32765) CHARACTER SET WIN1252)";

struct PositionalSql {
    std::string sql;                 // every ":Name" replaced by kNamedParameter
    std::vector<std::string> names;  // the name at each "?", in order ("" for a "?" written as such)
};

// Text inside single or double quotes (both are string constants in dialect
// 1) and inside "--" and "/* */" comments is left alone. A name is a run of
// letters, digits, "_" and "$" right after the colon.
PositionalSql toPositional(std::string_view sql);

// ASCII letters compared without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept;

}  // namespace db
