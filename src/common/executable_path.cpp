#include "common/executable_path.h"

#include <unistd.h>

namespace velmora {
namespace {

std::string& pathOverride() {
    static std::string path;
    return path;
}

std::string readOwnPath() {
    std::string buf(4096, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < buf.size()) {
            buf.resize(static_cast<std::size_t>(n));
            return buf;
        }
        buf.resize(buf.size() * 2);  // a longer name is never cut
    }
}

}  // namespace

// Read once: a persistent process asks for it on every request, and the
// link names a replaced program "... (deleted)" until the process restarts.
std::string executablePath() {
    if (!pathOverride().empty()) return pathOverride();
    static const std::string path = readOwnPath();
    return path;
}

// Tests declare it (tests/support/executable_path_override.h): nothing in
// the program changes its own path.
void overrideExecutablePath(std::string path);
void overrideExecutablePath(std::string path) { pathOverride() = std::move(path); }

}  // namespace velmora
