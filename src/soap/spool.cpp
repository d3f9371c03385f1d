// The spool's temporary file: created unlinked in $TMPDIR (else /tmp) the
// first time memory would be exceeded, written in large pieces, gone when
// the spool is.
#include "soap/spool.h"

#include "common/exception.h"
#include "common/limits.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace soap {
namespace {

[[noreturn]] void fail(const char* what, const std::string& directory) {
    throw velmora::Exception(std::string("Error ") + what + " the answer's temporary file in " + directory + ": " +
                             std::strerror(errno));
}

std::string temporaryDirectory() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

// Nobody else can open it, and it disappears with the process, however
// that ends.
int createUnlinkedFile(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without O_TMPFILE: a named file, removed at once.
        std::string name = directory + "/velmora-spool-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0) ::unlink(name.c_str());
    }
    if (fd < 0) fail("creating", directory);
    return fd;
}

}  // namespace

Spool::~Spool() { closeFile(); }

Spool::Spool(Spool&& other) noexcept
    : buffer_(std::move(other.buffer_)),
      fd_(std::exchange(other.fd_, -1)),
      fileSize_(std::exchange(other.fileSize_, 0)) {}

Spool& Spool::operator=(Spool&& other) noexcept {
    if (this != &other) {
        closeFile();
        buffer_ = std::move(other.buffer_);
        fd_ = std::exchange(other.fd_, -1);
        fileSize_ = std::exchange(other.fileSize_, 0);
    }
    return *this;
}

void Spool::spillIfFull() {
    const std::size_t limit = fd_ < 0 ? velmora::limits::kSpoolMemoryBytes : velmora::limits::kSpoolWriteBytes;
    if (buffer_.size() > limit) writeBuffer();
}

void Spool::writeBuffer() {
    const std::string directory = temporaryDirectory();
    if (fd_ < 0) fd_ = createUnlinkedFile(directory);
    std::string_view rest = buffer_;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd_, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("writing", directory);
        rest.remove_prefix(static_cast<std::size_t>(n));
        fileSize_ += static_cast<std::uint64_t>(n);
    }
    buffer_.clear();  // the capacity stays for the next piece
}

void Spool::clear() {
    closeFile();
    buffer_.clear();
}

void Spool::closeFile() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    fileSize_ = 0;
}

}  // namespace soap
