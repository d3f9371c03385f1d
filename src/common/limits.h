// Every limit and tuning constant of the service, in one place, each with the
// reason for its value. One block per layer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora::limits {

// --- Host: the CGI request and response

// The largest request body read. Every operation takes two or three short
// texts and a request is a few hundred bytes; 128 KiB still holds a text three
// times as long as any column (kMaxTextParameterBytes), which gets the answer
// of a text that matches nothing rather than a refusal. A larger announcement
// is refused unread, so that no caller can make the process hold whatever it
// sends, and the parser's work on the worst body it accepts, which grows with
// the square of its size (see kMaxAttributesPerElement), stays near 0.1 s of
// CPU, where 1 MiB allowed 17 s.
inline constexpr std::int64_t kMaxRequestBodyBytes = 128 << 10;
// A body is read through a buffer of this size: the body's string grows with
// what arrives, never with what was announced.
inline constexpr std::size_t kRequestReadBytes = 64 * 1024;
// A response body goes out in writes of at most this many bytes.
inline constexpr std::size_t kResponseChunkBytes = 8192;
// An Accept-Encoding longer than this is read as none (the answer goes out
// as written): clients send a few dozen bytes ("gzip, deflate, br, zstd"),
// and a field that lists every coding there is with its weight stays under
// a few hundred; so the parse of whatever a client sends stays short.
inline constexpr std::size_t kMaxAcceptEncodingBytes = 1024;
// A path pattern with more "*" groups than this is refused as invalid.
inline constexpr int kMaxPatternStarGroups = 30;
// A FastCGI request, its BEGIN_REQUEST and PARAMS records and its body, must
// have arrived this many seconds after its first byte could be read (its
// connection accepted, or a kept connection readable again); otherwise the
// connection is cut. Web servers send a request whole and at once (nginx,
// lighttpd and mod_fcgid read the client's body before they connect), and
// every request of this interface is a few hundred bytes: a request still
// incomplete after 5 s comes from a peer that stalled or trickles, and it
// holds the process, which serves one connection at a time.
inline constexpr int kWebServerReadSeconds = 5;
// Closing a connection, libfcgi reads what the web server still sends until
// it has been silent for 2 s, so that unread bytes do not turn the close into
// a reset that loses the end of the answer; a peer that keeps sending would
// keep it reading. The close is cut after this many seconds.
inline constexpr int kConnectionCloseSeconds = 3;
// Writes to the web server have no bound of ours: a terminal on a slow link
// reads a large import through a web server that streams at its own pace,
// with pauses of tens of seconds, and the web server's own timeout for a
// client that stopped reading (nginx send_timeout 60 s, lighttpd
// server.max-write-idle 360 s) closes the connection, which ends our write.

// After a stop is asked for (SIGTERM or SIGINT, which a FastCGI process
// reads between requests), a wait the watchdog bounds (a call's database
// work, the detach on the way out) gets at most this many seconds more
// before it is aborted: a call about to finish still does (most take
// milliseconds, a full import about a second), and a process stuck on a
// database server that stopped answering still ends within a few seconds.
inline constexpr int kStopGraceSeconds = 3;
// While a wait is bounded, the watchdog looks for a stop this often.
inline constexpr int kStopCheckMilliseconds = 100;
// A persistent (FastCGI) process gives the memory its allocator holds free
// back to the system after a request once there is more than this of it: a
// large import must not keep the process at its peak for good, while the
// few hundred KB a small call leaves are kept for the next one instead of
// being faulted in again.
inline constexpr std::size_t kTrimFreeAboveBytes = 4 << 20;
// Asking the allocator how much it holds free walks its bins and merges its
// fast ones, about a tenth of a small call's own handling: it is asked after
// an answer of this size or more, or a failed call (where large freed memory
// comes from: the spool, an import cut short), and otherwise once in this
// many requests.
inline constexpr std::uint64_t kTrimCheckAfterBytes = 1 << 20;
inline constexpr long kTrimCheckEveryRequests = 64;

// A request log field is cut to at most this many bytes as written
// (escapes included), the outcome to kLogOutcomeBytes, each marked as cut:
// addresses, operation names, codes and the service's paths are a few dozen
// bytes and a fault text a few hundred, while a caller controls what a path
// or a parameter may hold (up to the body limit). A line stays under 3 KB,
// within PIPE_BUF, so that one write() carries it whole even to a standard
// error that is a pipe shared by many processes.
inline constexpr std::size_t kLogFieldBytes = 256;
inline constexpr std::size_t kLogOutcomeBytes = 1024;
// Writers of the request log take turns (a lock on the file) to look at its
// last byte and append; one holds the turn for a write of a few KB, so a
// wait longer than this means a holder that is stopped, and the line then
// goes out without its turn rather than holding the request.
inline constexpr int kLogLockWaitMilliseconds = 200;

// --- Configuration files

// The largest INI file read. One holds a handful of lines, a few hundred
// bytes (the publisher's port table a few more); reading stops one byte past
// this and the file is refused, so that a log named by mistake costs little.
inline constexpr std::size_t kMaxIniFileBytes = 16 * 1024;

// --- Service: imports and acknowledgements

// How often an import that lost an update conflict or a lock wait to a rival
// transaction is tried in all, and the base of the randomised pause between
// attempts (base << attempt ms, spread by half either way, so that rivals
// part ways).
inline constexpr int kImportAttempts = 5;
inline constexpr int kRetryPauseBaseMs = 20;

// --- Database

// Waiting for a row another transaction holds ends after this many seconds
// with a lock-timeout error instead of hanging a request; an import retries
// it like an update conflict, so it answers within about
// kImportAttempts * kLockTimeoutSeconds.
inline constexpr unsigned char kLockTimeoutSeconds = 5;
// A call's database work, attach included, is aborted after this many
// seconds unless the INI's TEMPOLIMITE says otherwise: a server that stops
// answering must cost a call a bounded time. Above every wait of a healthy
// call (an import that meets locked rows gives up by about 26 s; a full
// import of 20,000 products takes about a second) and below the time web
// servers wait for an answer (mod_fcgid's FcgidIOTimeout 40 s, nginx's
// fastcgi_read_timeout 60 s), so that the terminal gets the fault, not a
// gateway error.
inline constexpr int kDatabaseTimeLimitSeconds = 30;
// The largest TEMPOLIMITE accepted: longer than any web server waits.
inline constexpr int kMaxDatabaseTimeLimitSeconds = 3600;
// The longest text a VARCHAR parameter can carry, and so the longest any text
// column can hold: a longer parameter can equal nothing.
inline constexpr std::size_t kMaxTextParameterBytes = 32765;
// A statement is prepared for cast text parameters (those not alone beside
// an "=") up to this size, and prepared again for kMaxTextParameterBytes
// only when a longer value is bound: the engine sizes and zeroes its message
// buffers by the declared length, about 100 KB for three parameters at the
// maximum, on every run.
inline constexpr std::size_t kShortTextParameterBytes = 255;
// The answer describing a statement's parameters (type and length): 22 bytes
// each, so 2 KiB covers 90; a statement with more is prepared with casts.
inline constexpr std::size_t kParameterInfoBytes = 2048;
// The answer describing a statement's output columns: 42 bytes each plus
// its field and alias names, so 16 KiB holds the widest statement of
// the service (166 product columns, about 11 KB) at once. A larger answer is
// asked for again in a buffer twice as large, up to the most a select list
// can need: a row holds at most 64 KiB, so some 16,000 columns of 4 bytes
// (a SMALLINT and its NULL flag), each described in at most 230 bytes
// (names of 31 characters, 3 bytes each), about 3.7 MB.
inline constexpr std::size_t kOutputInfoBytes = 16 * 1024;
inline constexpr std::size_t kMaxOutputInfoBytes = 8 << 20;
// BLOB text is read in segments of this size.
inline constexpr unsigned kBlobSegmentBytes = 16384;
// Room for the client's formatted error message.
inline constexpr std::size_t kErrorMessageBytes = 4096;

// --- SOAP requests

// An element with more attributes than this, or under more namespace
// declarations than that (its own and its ancestors'), is refused like
// malformed XML. A SOAP client writes a handful of each, the most on the
// Envelope (its namespaces and encoding style). libxml2 builds an element's
// attribute list in time that grows with the square of its length (110,000
// attributes on one element cost 17 s of CPU), and resolves every prefix by
// a search through the declarations in scope (160 nested elements of 30
// declarations each, under 300 children of 30 prefixed attributes, cost
// 0.3 s). Refused at its start tag, such an element costs only the parser's
// duplicate checks, which kMaxRequestBodyBytes keeps to about 0.1 s.
inline constexpr int kMaxAttributesPerElement = 64;
inline constexpr int kMaxNamespacesInScope = 64;

// --- SOAP answers

// An answer is kept in memory up to this size; a larger one (a first import
// of a whole catalogue runs to hundreds of MB) goes on into an unlinked
// temporary file, so that memory stays bounded whatever the catalogue's size.
inline constexpr std::size_t kSpoolMemoryBytes = 4 << 20;
// Once in the file, the answer is written to it in pieces of about this size.
inline constexpr std::size_t kSpoolWriteBytes = 1 << 20;
// A spooled file goes out to the web server in sendfile() calls of at most
// this size: the bytes never pass through the process.
inline constexpr std::size_t kSendFileBytes = 1 << 20;

// --- Compressed answers

// An answer the client takes gzip for goes out compressed from this size
// on. Below it an answer fits one TCP segment (1,460 bytes, the HTTP head
// included) compressed or not, so compressing saves no packet and no round
// trip, and it adds a head line and 18 bytes of framing: the small answers (stock, an
// acknowledgement, an empty import, a fault: 330 to 650 bytes) stay as
// written. Measured by `bench/run compress` on the 20,000-product answer's
// text (ISA-L): 1,024 bytes become 433 in 7 us of CPU, 4,096 become 1,261 in
// 10 us; an import holding one record is past 1 KB.
inline constexpr std::uint64_t kGzipMinBytes = 1024;
// A gzip answer's text is deflated in pieces of this size as it is written:
// small enough to be still in the cache when it is compressed, large enough
// that the calls cost nothing. Not below kGzipMinBytes: an answer decides
// whether to compress before its first piece.
inline constexpr std::size_t kDeflateInputBytes = 256 << 10;
static_assert(kDeflateInputBytes >= kGzipMinBytes);
// Compression levels: the fastest of each library. Over the 20,000-product
// answer (193 MB) ISA-L's level 1 makes 32.3 MB in 0.25 s of CPU and its
// level 3 29.0 MB in 0.55 s, against some 0.9 s for the import itself: a
// tenth smaller for a quarter more CPU (level 0 is no faster, and larger).
// zlib's level 1 already takes 1.5 s.
inline constexpr unsigned kIsalDeflateLevel = 1;
inline constexpr int kZlibDeflateLevel = 1;

}  // namespace velmora::limits
