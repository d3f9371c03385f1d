// The running program as the publisher names it: its path, the application
// title shown on the pages, and the port table file beside it.
#pragma once

#include <string>
#include <string_view>

namespace publish {

// The program's absolute path (from /proc/self/exe) unless tests set another.
std::string programPath();
// Empty: the program's own path again.
void setProgramPath(std::string path);

// The file name without directory and extension ("velmora" for
// ".../build/velmora.cgi").
std::string applicationTitle(std::string_view programPath);

// The path without extension followed by "_WSDLADMIN.INI".
std::string portTableFileName(std::string_view programPath);

}  // namespace publish
