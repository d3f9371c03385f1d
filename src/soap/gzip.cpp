// The deflate stretches through ISA-L (VELMORA_WITH_ISAL) or zlib, and the
// gzip member's header and trailer around them.
#include "soap/gzip.h"

#include "common/exception.h"
#include "common/limits.h"

#include <zlib.h>

#include <algorithm>

#ifdef VELMORA_WITH_ISAL
#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#endif

namespace soap {

namespace {

[[noreturn]] void compressionFailed(int code) {
    throw velmora::Exception("Error compressing the answer: " + std::string(Deflater::library()) + " error " +
                             std::to_string(code));
}

// Room to give the library for the compressed form of `size` bytes: about
// what they shrink to, the loop below asking again when it was too little.
std::size_t roomFor(std::size_t size) noexcept { return std::max<std::size_t>(size / 4, 16 * 1024); }

// A piece of text the libraries' 32-bit lengths can take whole.
constexpr std::size_t kLargestPiece = 1U << 30;

}  // namespace

#ifdef VELMORA_WITH_ISAL

// ISA-L's stream state is 80 KB, and its level 1 needs a buffer of its own.
struct Deflater::State {
    isal_zstream stream;
    std::unique_ptr<std::uint8_t[]> levelBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(ISAL_DEF_LVL1_DEFAULT);
};

Deflater::Deflater() : state_(std::make_unique<State>()) {
    isal_zstream& s = state_->stream;
    isal_deflate_init(&s);
    s.level = velmora::limits::kIsalDeflateLevel;
    s.level_buf = state_->levelBuffer.get();
    s.level_buf_size = ISAL_DEF_LVL1_DEFAULT;
    s.gzip_flag = IGZIP_DEFLATE;  // raw deflate: the member's header and trailer are ours
}

Deflater::~Deflater() = default;

std::string_view Deflater::library() noexcept { return "ISA-L"; }

void Deflater::deflate(std::string_view text, std::string& out, End end) {
    isal_zstream& s = state_->stream;
    do {
        const std::string_view piece = text.substr(0, kLargestPiece);
        text.remove_prefix(piece.size());
        const bool lastPiece = text.empty();
        s.next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(piece.data()));
        s.avail_in = static_cast<std::uint32_t>(piece.size());
        s.flush = lastPiece && end != End::None ? SYNC_FLUSH : NO_FLUSH;
        s.end_of_stream = lastPiece && end == End::Final ? 1 : 0;
        for (;;) {
            const std::size_t used = out.size();
            const std::size_t room = roomFor(piece.size());
            out.resize(used + room);
            s.next_out = reinterpret_cast<std::uint8_t*>(out.data() + used);
            s.avail_out = static_cast<std::uint32_t>(room);
            if (const int rc = isal_deflate(&s); rc != COMP_OK) compressionFailed(rc);
            out.resize(used + room - s.avail_out);
            // Output left unused means the input and whatever a flush owed
            // are out; the final block is out once the state says so.
            if (s.avail_in == 0 && s.avail_out > 0 && (!s.end_of_stream || s.internal_state.state == ZSTATE_END)) break;
        }
    } while (!text.empty());
}

std::uint32_t gzipCrc(std::uint32_t crc, std::string_view text) noexcept {
    return crc32_gzip_refl(crc, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

#else

struct Deflater::State {
    z_stream stream{};
};

Deflater::Deflater() : state_(std::make_unique<State>()) {
    // Raw deflate (negative window bits): the member's header and trailer are ours.
    if (const int rc = deflateInit2(&state_->stream, velmora::limits::kZlibDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8,
                                    Z_DEFAULT_STRATEGY);
        rc != Z_OK)
        compressionFailed(rc);
}

Deflater::~Deflater() { deflateEnd(&state_->stream); }

std::string_view Deflater::library() noexcept { return "zlib"; }

void Deflater::deflate(std::string_view text, std::string& out, End end) {
    z_stream& s = state_->stream;
    do {
        const std::string_view piece = text.substr(0, kLargestPiece);
        text.remove_prefix(piece.size());
        const bool lastPiece = text.empty();
        const int flush = !lastPiece || end == End::None ? Z_NO_FLUSH : (end == End::Sync ? Z_SYNC_FLUSH : Z_FINISH);
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
        s.avail_in = static_cast<uInt>(piece.size());
        for (;;) {
            const std::size_t used = out.size();
            const std::size_t room = roomFor(piece.size());
            out.resize(used + room);
            s.next_out = reinterpret_cast<Bytef*>(out.data() + used);
            s.avail_out = static_cast<uInt>(room);
            const int rc = ::deflate(&s, flush);
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) compressionFailed(rc);
            out.resize(used + room - s.avail_out);
            if (flush == Z_FINISH ? rc == Z_STREAM_END : (s.avail_in == 0 && s.avail_out > 0)) break;
        }
    } while (!text.empty());
}

std::uint32_t gzipCrc(std::uint32_t crc, std::string_view text) noexcept {
    return static_cast<std::uint32_t>(crc32_z(crc, reinterpret_cast<const Bytef*>(text.data()), text.size()));
}

#endif

std::uint32_t gzipCrcCombine(std::uint32_t first, std::uint32_t second, std::uint64_t secondLength) noexcept {
    return static_cast<std::uint32_t>(crc32_combine(first, second, static_cast<z_off_t>(secondLength)));
}

std::string gzipHeader() {
    // Magic, deflate, no flags, no modification time, no extra flags, Unix.
    return std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10);
}

std::string gzipTrailer(std::uint32_t crc, std::uint64_t length) {
    std::string trailer(8, '\0');
    const auto size = static_cast<std::uint32_t>(length);  // ISIZE is the length modulo 2^32
    for (int i = 0; i < 4; ++i) {
        trailer[static_cast<std::size_t>(i)] = static_cast<char>((crc >> (8 * i)) & 0xFF);
        trailer[static_cast<std::size_t>(i + 4)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    return trailer;
}

}  // namespace soap
