// A read-only INI file: sections of key=value lines, names matched without
// regard to letter case. The file is Windows-1252 text; values come out UTF-8.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
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

// An INI file as stat() saw it when it was last read: a process that keeps
// what the file said reads it again only when this changes.
struct FileStamp {
    dev_t device;
    ino_t inode;
    off_t size;
    std::int64_t modifiedNs;

    explicit FileStamp(const struct stat& st)
        : device(st.st_dev),
          inode(st.st_ino),
          size(st.st_size),
          modifiedNs(std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec) {}
    bool operator==(const FileStamp&) const = default;
};

// An INI file that a process looks at for every request, without a restart:
// it is read again only when its FileStamp changed.
class WatchedIniFile {
public:
    explicit WatchedIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    // A value of the file as it is now; empty when the file is missing or
    // cannot be read (the call that needs it says so itself).
    std::string readString(std::string_view section, std::string_view key);

private:
    std::string fileName_;
    std::optional<FileStamp> stamp_;  // of the file last read...
    IniFile ini_;                     // ...and what it said
};

}  // namespace velmora
