// The running program's own file name, from /proc/self/exe.
#pragma once

#include <string>

namespace velmora {

// Empty when the system cannot say.
std::string executablePath();

}  // namespace velmora
