// Test helpers for the host: a request body behind a real descriptor, and a
// descriptor that captures what the host writes.
#pragma once

#include "host/cgi_request.h"
#include "host/cgi_response.h"

#include <sys/mman.h>
#include <unistd.h>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hosttest {

// An anonymous in-memory file: written first, then read by the host, or
// written by the host and read back.
class MemFile {
public:
    explicit MemFile(std::string_view initial = {}) : fd_(::memfd_create("hosttest", MFD_CLOEXEC)) {
        if (fd_ < 0) throw std::runtime_error("memfd_create failed");
        if (!initial.empty() && ::write(fd_, initial.data(), initial.size()) != static_cast<ssize_t>(initial.size()))
            throw std::runtime_error("write failed");
        ::lseek(fd_, 0, SEEK_SET);
    }
    MemFile(const MemFile&) = delete;
    MemFile& operator=(const MemFile&) = delete;
    ~MemFile() { ::close(fd_); }

    int fd() const { return fd_; }
    off_t position() const { return ::lseek(fd_, 0, SEEK_CUR); }

    std::string contents() const {
        std::string out;
        char buf[4096];
        for (off_t at = 0;;) {
            const ssize_t n = ::pread(fd_, buf, sizeof buf, at);
            if (n <= 0) break;
            out.append(buf, static_cast<std::size_t>(n));
            at += n;
        }
        return out;
    }

private:
    int fd_;
};

inline host::WebRequest makeRequest(const std::vector<std::string>& env, std::string_view body = {}) {
    MemFile file(body);
    host::FdInput input(file.fd());
    return host::WebRequest(host::CgiEnvironment(env), input);
}

// What the response writes.
inline std::string written(const host::WebResponse& response) {
    MemFile out;
    host::FdOutput output(out.fd());
    response.writeTo(output);
    return out.contents();
}

}  // namespace hosttest
