// For tests that stand in for the program: executablePath() (and with it
// the directory where the INI file and the port table are looked for)
// answers a path of the test's choosing.
#pragma once

#include "common/executable_path.h"

#include <string>

namespace velmora {

// Makes executablePath() answer `path`; an empty path restores the real one.
// Defined beside executablePath() in src/common/executable_path.cpp.
void overrideExecutablePath(std::string path);

}  // namespace velmora
