// A small scanner over SQL text that knows strings, quoted names and comments.
#include "db/named_parameters.h"

namespace db {
namespace {

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

PositionalSql toPositional(std::string_view sql) {
    PositionalSql out;
    out.sql.reserve(sql.size());
    const std::size_t n = sql.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // A doubled quote inside is just two strings back to back here,
            // which copies the same bytes.
            const std::size_t close = sql.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close + 1;
            out.sql.append(sql, i, end - i);
            i = end;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            const std::size_t eol = sql.find('\n', i);
            const std::size_t end = eol == std::string_view::npos ? n : eol;
            out.sql.append(sql, i, end - i);
            i = end;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const std::size_t close = sql.find("*/", i + 2);
            const std::size_t end = close == std::string_view::npos ? n : close + 2;
            out.sql.append(sql, i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < n && isNameChar(sql[i + 1])) {
            std::size_t end = i + 1;
            while (end < n && isNameChar(sql[end])) ++end;
            out.names.emplace_back(sql.substr(i + 1, end - i - 1));
            out.sql.append(kNamedParameter);
            i = end;
        } else if (c == '?') {
            out.names.emplace_back();
            out.sql.push_back('?');
            ++i;
        } else {
            out.sql.push_back(c);
            ++i;
        }
    }
    return out;
}

}  // namespace db
