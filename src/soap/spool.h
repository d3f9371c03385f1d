// An answer's bytes as they are written: in memory while small, in an
// unlinked temporary file beyond kSpoolMemoryBytes, so that an import of a
// whole catalogue costs a few MB of memory, not the size of its answer.
// When the client takes gzip, what is written is deflated on its way in, and
// the memory and the file hold the compressed bytes.
#pragma once

#include "common/web_exchange.h"
#include "soap/gzip.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace soap {

// How an answer's body is to go out.
enum class Coding {
    Identity,    // as written
    Gzip,        // one gzip member, unless the answer is under kGzipMinBytes
    GzipAlways,  // gzip whatever the size: the client refused the identity
};

class Spool {
public:
    Spool() = default;
    explicit Spool(Coding coding) : coding_(coding) {}
    explicit Spool(std::string bytes, Coding coding = Coding::Identity) : coding_(coding), text_(std::move(bytes)) {}
    ~Spool();
    Spool(Spool&& other) noexcept;
    Spool& operator=(Spool&& other) noexcept;
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Appending goes straight into this buffer; call spillIfFull() every so
    // often (after each record) to keep it small.
    std::string& buffer() noexcept { return text_; }
    // Moves the buffer into the file once it holds more than memory allows
    // (kSpoolMemoryBytes before the file exists, kSpoolWriteBytes after); a
    // gzip spool first deflates it, each kDeflateInputBytes.
    // A full disk throws velmora::Exception naming the file system's error.
    void spillIfFull();
    // Empty again, the file included.
    void clear();

    // The stored bytes: first fileSize() bytes of the file (when there is
    // one), then memory(). A gzip spool stores them once endStretch() has
    // deflated the last of its text.
    std::uint64_t size() const noexcept { return fileSize_ + memory().size(); }
    int fileDescriptor() const noexcept { return fd_; }
    std::uint64_t fileSize() const noexcept { return fileSize_; }
    std::string_view memory() const noexcept { return deflated_ ? packed_ : text_; }

    // --- A gzip spool: one stretch of the answer's deflate stream

    Coding coding() const noexcept { return coding_; }
    // The text written so far, and its CRC-32 (once the stretch has ended).
    std::uint64_t textSize() const noexcept { return deflatedSize_ + text_.size(); }
    std::uint32_t textCrc() const noexcept { return crc_; }
    // Whether any text has been deflated yet: until then the spool may still
    // go out as written (keepText()).
    bool deflating() const noexcept { return deflated_; }
    // Deflates the rest and ends the stretch on a byte boundary (with the
    // stream's final block when `last`).
    void endStretch(bool last);
    // Not compressed after all: the text goes out as it stands.
    void keepText() noexcept { coding_ = Coding::Identity; }

    // The stored bytes as a part of an answer, its file included; the spool
    // is left empty.
    velmora::BodyPart release();

private:
    void deflateText(Deflater::End end);
    void writeStored();
    void closeFile() noexcept;

    Coding coding_ = Coding::Identity;
    std::string text_;
    bool deflated_ = false;               // memory() and the file hold deflated bytes
    std::unique_ptr<Deflater> deflater_;  // while the stretch goes on
    std::string packed_;                  // deflated bytes not in the file yet
    std::uint64_t deflatedSize_ = 0;
    std::uint32_t crc_ = 0;
    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
};

// The answer of these parts, in this order, each made with the coding that
// was asked for: as written, or one gzip member of them all (when asked and
// worth it, see kGzipMinBytes).
velmora::Body makeBody(std::vector<Spool> parts);
// A text answer in the coding asked for.
velmora::Body makeBody(std::string text, Coding coding);

}  // namespace soap
