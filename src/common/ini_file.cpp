#include "common/ini_file.h"

#include "common/exception.h"
#include "common/win1252.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace velmora {
namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

IniFile IniFile::load(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw velmora::Exception("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    std::string section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = win1252ToUtf8(trim(line.substr(1, line.size() - 2)));
            continue;
        }
        const std::size_t eq = line.find('=');
        std::string_view key = trim(line.substr(0, eq));
        std::string_view value = eq == std::string_view::npos ? std::string_view{} : trim(line.substr(eq + 1));
        ini.entries_.push_back({section, win1252ToUtf8(key), win1252ToUtf8(value)});
    }
    return ini;
}

std::string IniFile::readString(std::string_view section, std::string_view key) const {
    for (const Entry& e : entries_)
        if (sameName(e.section, section) && sameName(e.key, key)) return e.value;
    return {};
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    for (const Entry& e : entries_) {
        if (!sameName(e.section, section)) continue;
        bool seen = false;
        for (const std::string& k : out) seen = seen || sameName(k, e.key);
        if (!seen) out.push_back(e.key);
    }
    return out;
}

}  // namespace velmora
