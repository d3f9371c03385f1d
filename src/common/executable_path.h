// The running program's own file name, from /proc/self/exe: the INI file and
// the publisher's port table are found beside it, its name titles the pages.
#pragma once

#include <string>

namespace velmora {

// Empty when the system cannot say.
std::string executablePath();

}  // namespace velmora
