// A read-only INI file: sections of key=value lines, names matched without
// regard to letter case. The file is Windows-1252 text; values come out UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class IniFile {
public:
    // Throws velmora::Exception when the file cannot be read, is no regular
    // file or is larger than limits::kMaxIniFileBytes.
    static IniFile load(const std::string& fileName);
    static IniFile parse(std::string_view win1252Text);

    // Empty text when the section or key is absent.
    std::string readString(std::string_view section, std::string_view key) const;
    // Keys of a section, in file order (first occurrence of each).
    std::vector<std::string> keys(std::string_view section) const;

private:
    struct Entry {
        std::string section, key, value;
    };
    std::vector<Entry> entries_;
};

}  // namespace velmora
