#include "support/body_text.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace testsupport {

std::string bodyText(const soap::Body& body) {
    std::string out;
    for (const soap::Spool& part : body.parts) {
        std::string file(static_cast<std::size_t>(part.fileSize()), '\0');
        std::size_t done = 0;
        while (done < file.size()) {
            const ssize_t n =
                ::pread(part.fileDescriptor(), file.data() + done, file.size() - done, static_cast<off_t>(done));
            if (n <= 0) throw std::runtime_error(std::string("reading a spooled answer: ") + std::strerror(errno));
            done += static_cast<std::size_t>(n);
        }
        out += file;
        out += part.memory();
    }
    return out;
}

}  // namespace testsupport
