// Raw descriptor input for the CGI host.
#include "host/fd_io.h"
#include "common/limits.h"

#include "common/exception.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace host {

void readUpTo(int fd, std::uint64_t limit, std::string& out) {
    // Read through a fixed buffer and append: the string grows with what
    // arrives, so a huge announcement with a tiny body costs no more than the
    // body itself.
    char buffer[velmora::limits::kRequestReadBytes];
    std::uint64_t remaining = limit;
    while (remaining > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, sizeof buffer));
        ssize_t n;
        do {
            n = ::read(fd, buffer, want);
        } while (n < 0 && errno == EINTR);
        if (n < 0) throw velmora::Exception(std::string("Error reading the request: ") + std::strerror(errno));
        if (n == 0) return;
        out.append(buffer, static_cast<std::size_t>(n));
        remaining -= static_cast<std::uint64_t>(n);
    }
}

}  // namespace host
