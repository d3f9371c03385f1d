// The spool's temporary file: created unlinked in $TMPDIR (else /tmp) the
// first time memory would be exceeded, written in large pieces, gone when
// the spool is; a gzip spool's text deflated piece by piece on its way in;
// and the body that puts the parts together.
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
    : coding_(other.coding_),
      text_(std::move(other.text_)),
      deflated_(std::exchange(other.deflated_, false)),
      deflater_(std::move(other.deflater_)),
      packed_(std::move(other.packed_)),
      deflatedSize_(std::exchange(other.deflatedSize_, 0)),
      crc_(std::exchange(other.crc_, 0)),
      fd_(std::exchange(other.fd_, -1)),
      fileSize_(std::exchange(other.fileSize_, 0)) {}

Spool& Spool::operator=(Spool&& other) noexcept {
    if (this != &other) {
        closeFile();
        coding_ = other.coding_;
        text_ = std::move(other.text_);
        deflated_ = std::exchange(other.deflated_, false);
        deflater_ = std::move(other.deflater_);
        packed_ = std::move(other.packed_);
        deflatedSize_ = std::exchange(other.deflatedSize_, 0);
        crc_ = std::exchange(other.crc_, 0);
        fd_ = std::exchange(other.fd_, -1);
        fileSize_ = std::exchange(other.fileSize_, 0);
    }
    return *this;
}

void Spool::spillIfFull() {
    if (coding_ != Coding::Identity) {
        // Deflated a piece at a time, while the text is still in the cache.
        if (text_.size() < velmora::limits::kDeflateInputBytes) return;
        deflateText(Deflater::End::None);
    }
    const std::size_t limit = fd_ < 0 ? velmora::limits::kSpoolMemoryBytes : velmora::limits::kSpoolWriteBytes;
    if ((deflated_ ? packed_ : text_).size() > limit) writeStored();
}

void Spool::deflateText(Deflater::End end) {
    if (!deflater_) {
        deflater_ = std::make_unique<Deflater>();
        deflated_ = true;
    }
    crc_ = gzipCrc(crc_, text_);
    deflatedSize_ += text_.size();
    deflater_->deflate(text_, packed_, end);
    text_.clear();  // the capacity stays for the next piece
}

void Spool::endStretch(bool last) {
    deflateText(last ? Deflater::End::Final : Deflater::End::Sync);
    deflater_.reset();  // its state is a few hundred KB
}

void Spool::writeStored() {
    std::string& stored = deflated_ ? packed_ : text_;
    const std::string directory = temporaryDirectory();
    if (fd_ < 0) fd_ = createUnlinkedFile(directory);
    std::string_view rest = stored;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd_, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("writing", directory);
        rest.remove_prefix(static_cast<std::size_t>(n));
        fileSize_ += static_cast<std::uint64_t>(n);
    }
    stored.clear();  // the capacity stays for the next piece
}

void Spool::clear() {
    closeFile();
    text_.clear();
    packed_.clear();
    deflater_.reset();
    deflated_ = false;
    deflatedSize_ = 0;
    crc_ = 0;
}

void Spool::closeFile() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    fileSize_ = 0;
}

velmora::BodyPart Spool::release() {
    velmora::BodyPart part(std::exchange(fd_, -1), std::exchange(fileSize_, 0),
                           deflated_ ? std::move(packed_) : std::move(text_));
    clear();
    return part;
}

velmora::Body makeBody(std::vector<Spool> parts) {
    velmora::Body body;
    std::uint64_t textSize = 0;
    bool deflating = false;
    Coding asked = Coding::Identity;
    for (const Spool& part : parts) {
        textSize += part.textSize();
        deflating = deflating || part.deflating();
        if (part.coding() != Coding::Identity) asked = part.coding();
    }
    if (parts.empty() || asked == Coding::Identity ||
        (asked == Coding::Gzip && !deflating && textSize < velmora::limits::kGzipMinBytes)) {
        for (Spool& part : parts) {
            part.keepText();
            body.parts.push_back(part.release());
        }
        return body;
    }
    // One member: each part a stretch of its deflate stream, the last one
    // ending it; the CRC of the whole from the parts' own.
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i].endStretch(i + 1 == parts.size());
        crc = i == 0 ? parts[i].textCrc() : gzipCrcCombine(crc, parts[i].textCrc(), parts[i].textSize());
    }
    body.contentEncoding = "gzip";
    body.parts.reserve(parts.size() + 2);
    body.parts.emplace_back(gzipHeader());
    for (Spool& part : parts) body.parts.push_back(part.release());
    body.parts.emplace_back(gzipTrailer(crc, textSize));
    return body;
}

velmora::Body makeBody(std::string text, Coding coding) {
    std::vector<Spool> parts;
    parts.emplace_back(std::move(text), coding);
    return makeBody(std::move(parts));
}

}  // namespace soap
