#include "common/ini_file.h"

#include "common/exception.h"
#include "common/text.h"
#include "common/win1252.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace velmora {

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
        if (equalsIgnoringCase(e.section, section) && equalsIgnoringCase(e.key, key)) return e.value;
    return {};
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    for (const Entry& e : entries_) {
        if (!equalsIgnoringCase(e.section, section)) continue;
        bool seen = false;
        for (const std::string& k : out) seen = seen || equalsIgnoringCase(k, e.key);
        if (!seen) out.push_back(e.key);
    }
    return out;
}

}  // namespace velmora
