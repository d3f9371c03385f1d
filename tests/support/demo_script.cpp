#include "support/demo_script.h"

#include <fstream>
#include <stdexcept>

namespace testsupport {

std::string demoScript(const char* name) {
    const std::string path = std::string(VELMORA_SOURCE_DIR) + "/demo/" + name;
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string line, out;
    while (std::getline(in, line)) {
        if (line.rfind("SET SQL DIALECT", 0) == 0 || line.rfind("COMMIT;", 0) == 0) continue;
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace testsupport
