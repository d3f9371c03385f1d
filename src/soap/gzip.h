// gzip's pieces for an answer written out of order: one gzip member whose
// deflate stream is made of stretches compressed apart (the records first,
// the envelope's start once their count is known), each ending on a byte
// boundary, put together in the answer's order. ISA-L's deflate where the
// build has it, zlib's otherwise; the checksum of the whole is combined from
// the stretches' own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace soap {

// One stretch of a deflate stream. It refers to nothing before its start, so
// it may follow any stretch that ended on a byte boundary.
class Deflater {
public:
    enum class End {
        None,   // more text follows
        Sync,   // the stretch ends; another follows it in the stream
        Final,  // the stream ends here
    };

    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Compresses `text` onto the end of `out`; with End::Sync or End::Final
    // everything given so far is in `out`, ending on a byte boundary.
    void deflate(std::string_view text, std::string& out, End end);

    // "ISA-L" or "zlib": the library this build compresses with.
    static std::string_view library() noexcept;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The gzip CRC-32 of `text` continued from `crc` (0 to start).
std::uint32_t gzipCrc(std::uint32_t crc, std::string_view text) noexcept;
// The CRC-32 of a text followed by another, from the CRC of each and the
// length of the second.
std::uint32_t gzipCrcCombine(std::uint32_t first, std::uint32_t second, std::uint64_t secondLength) noexcept;

// A member's 10-byte header: no name, no time, no extra field, so that a
// client that skips a fixed 10 bytes reads it as well as one that parses it.
std::string gzipHeader();
// Its 8-byte trailer: the CRC-32 and the length (modulo 2^32) of the text.
std::string gzipTrailer(std::uint32_t crc, std::uint64_t length);

}  // namespace soap
