// Firebird knows only "?" parameters; the service's statements name theirs
// (":PCodEmpresa"). This maps the names to positions once per statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db {

struct PositionalSql {
    std::string sql;                 // every ":Name" replaced by "?"
    std::vector<std::string> names;  // the name at each "?", in order ("" for a "?" written as such)
};

// Text inside single or double quotes (both are string constants in dialect
// 1) and inside "--" and "/* */" comments is left alone. A name is a run of
// letters, digits, "_" and "$" right after the colon.
PositionalSql toPositional(std::string_view sql);

// ASCII letters compared without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept;

} // namespace db
