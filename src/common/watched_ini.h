// An INI file that a process keeps what it said from: looked at (stat) on
// every use and read again only when it changed, so that a persistent
// process follows an edit without a restart and without reading the file
// for every request.
#pragma once

#include "common/ini_file.h"

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class WatchedIni {
public:
    // The file's contents as last read, read again first when the file's
    // name, device, inode, size or modification time changed; nullptr when
    // there is no file. Throws what IniFile::load throws, and then keeps
    // nothing, so that the next use tries again.
    const IniFile* current(const std::string& fileName);

private:
    // The file as stat() saw it when it was read.
    struct Stamp {
        std::string fileName;
        dev_t device;
        ino_t inode;
        off_t size;
        std::int64_t modifiedNs;
        bool operator==(const Stamp&) const = default;
    };

    std::optional<Stamp> stamp_;
    IniFile ini_;
};

}  // namespace velmora
