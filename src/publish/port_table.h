// The ports of a port type: from the port table file when it has a section
// for the port type, else the one default port the request implies.
#pragma once

#include "publish/wsdl.h"

#include <string>
#include <string_view>
#include <vector>

namespace publish {

// The keys of the section named `portType` (letter case ignored) as port
// names, their values as addresses, in file order. Empty when the file does
// not exist or has no such section; throws when it exists but cannot be read.
std::vector<Port> portsFromTable(const std::string& fileName, std::string_view portType);

// The default: `portType` + "Port" at base + "/soap/" + `portType`.
Port defaultPort(std::string_view portType, std::string_view baseAddress);

}  // namespace publish
