#include "support/body_text.h"

#include <unistd.h>
#include <zlib.h>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace testsupport {

std::string bodyText(const velmora::Body& body) {
    std::string out;
    for (const velmora::BodyPart& part : body.parts) {
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

std::string gunzip(std::string_view member) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) throw std::runtime_error("inflateInit2 failed");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(member.data()));
    z.avail_in = static_cast<uInt>(member.size());
    std::string out;
    int rc = Z_OK;
    char chunk[65536];
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - z.avail_out);
    }
    const uInt left = z.avail_in;
    const std::string message = z.msg ? z.msg : "";
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("not a whole gzip member: " + std::to_string(rc) + " " + message);
    if (left != 0) throw std::runtime_error(std::to_string(left) + " bytes after the gzip member");
    return out;
}

}  // namespace testsupport
