#include "publish/port_table.h"

#include "common/ini_file.h"

#include <sys/stat.h>

namespace publish {

std::vector<Port> portsFromTable(const std::string& fileName, std::string_view portType) {
    struct stat info {};
    if (fileName.empty() || ::stat(fileName.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return {};
    const velmora::IniFile table = velmora::IniFile::load(fileName);
    std::vector<Port> ports;
    for (std::string& key : table.keys(portType)) {
        std::string address = table.readString(portType, key);
        ports.push_back({std::move(key), std::move(address)});
    }
    return ports;
}

Port defaultPort(std::string_view portType, std::string_view baseAddress) {
    Port port;
    port.name = portType;
    port.name += "Port";
    port.address = baseAddress;
    port.address += "/soap/";
    port.address += portType;
    return port;
}

}  // namespace publish
