#include "common/executable_path.h"

#include <unistd.h>

namespace velmora {

std::string executablePath() {
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

}  // namespace velmora
