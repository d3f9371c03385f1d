// The running program as the publisher names it: its path, the application
// title shown on the pages, and the port table file beside it.
#pragma once

#include <string>
#include <string_view>

namespace publish {

// The file name without directory and extension ("velmora" for
// ".../build/velmora.cgi").
std::string applicationTitle(std::string_view programPath);

// The path without extension followed by "_WSDLADMIN.INI".
std::string portTableFileName(std::string_view programPath);

}  // namespace publish
