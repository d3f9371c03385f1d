// SQL script splitting for test schemas.
#include "support/sql_script.h"

#include <cctype>

namespace testsupport {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool startsWithWordsIgnoringCase(std::string_view s, std::string_view a, std::string_view b) {
    auto word = [&](std::string_view w) {
        s = trim(s);
        if (s.size() < w.size()) return false;
        for (std::size_t i = 0; i < w.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(s[i])) != w[i]) return false;
        s.remove_prefix(w.size());
        return s.empty() || std::isspace(static_cast<unsigned char>(s.front()));
    };
    return word(a) && word(b);
}

}  // namespace

std::vector<std::string> splitSqlScript(std::string_view script) {
    std::vector<std::string> out;
    std::string terminator = ";";
    std::string current;
    bool hasCode = false;  // a statement of comments alone is no statement
    auto flush = [&] {
        const std::string_view statement = trim(current);
        if (startsWithWordsIgnoringCase(statement, "SET", "TERM")) {
            // "SET TERM ^ ;" names the new terminator after the words.
            std::string_view rest = trim(statement.substr(3));
            rest = trim(rest.substr(4));
            const std::size_t end = rest.find_first_of(" \t\r\n");
            terminator = std::string(rest.substr(0, end));
        } else if (hasCode) {
            out.emplace_back(statement);
        }
        current.clear();
        hasCode = false;
    };

    const std::size_t n = script.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = script[i];
        std::size_t end = i + 1;
        bool code = !std::isspace(static_cast<unsigned char>(c));
        if (c == '\'' || c == '"') {
            const std::size_t close = script.find(c, i + 1);
            end = close == std::string_view::npos ? n : close + 1;
        } else if (c == '-' && i + 1 < n && script[i + 1] == '-') {
            const std::size_t eol = script.find('\n', i);
            end = eol == std::string_view::npos ? n : eol;
            code = false;
        } else if (c == '/' && i + 1 < n && script[i + 1] == '*') {
            const std::size_t close = script.find("*/", i + 2);
            end = close == std::string_view::npos ? n : close + 2;
            code = false;
        } else if (script.compare(i, terminator.size(), terminator) == 0) {
            flush();
            i += terminator.size();
            continue;
        }
        current.append(script, i, end - i);
        hasCode = hasCode || code;
        i = end;
    }
    flush();
    return out;
}

}  // namespace testsupport
