// One log line per request, each in a single O_APPEND write so that the
// lines of concurrent processes never interleave.
#include "host/request_log.h"

#include "common/limits.h"
#include "common/text.h"
#include "common/watched_ini.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <string_view>
#include <utility>

namespace host {

namespace {

// What a truncated field ends with: data never holds a bare '%' in the
// fields that are percent-encoded, so the mark cannot be a value's own end.
constexpr std::string_view kCutMark = "%...";

// A character that some reader of the log would take for a line break or a
// terminal control: C0 controls, DEL, the C1 controls (NEL, CSI...), the
// Unicode line and paragraph separators, and any byte that is not part of
// well-formed UTF-8 (a Latin-1 reader sees 0x85 as NEL, 0x9B as CSI).
bool isUnsafe(char32_t codePoint, std::size_t length) noexcept {
    return length == 0 || codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F) || codePoint == 0x2028 ||
           codePoint == 0x2029;
}

// Appends `value` character by character as `escape` writes each, stopping
// once it would pass `limit` bytes: the part that fits with the mark after
// it, whole characters and escapes only. Stops early, so a huge value costs
// no more than a short one.
template <typename Escape>
void appendBounded(std::string& line, std::string_view value, std::size_t limit, Escape escape) {
    const std::size_t start = line.size();
    std::size_t cut = start;  // the last end that leaves room for the mark
    for (std::size_t at = 0; at < value.size();) {
        const velmora::Utf8Char c = velmora::decodeUtf8(value, at, velmora::Utf8Errors::Reject);
        const std::size_t length = c.length == 0 ? 1 : c.length;
        escape(line, value.substr(at, length), isUnsafe(c.codePoint, c.length));
        at += length;
        if (line.size() - start > limit) {
            line.resize(cut);
            line += kCutMark;
            return;
        }
        if (line.size() - start <= limit - kCutMark.size()) cut = line.size();
    }
}

// A field that stays one space-free token: "-" when empty; spaces, '%' and
// unsafe characters as %XX for each of their bytes.
void appendToken(std::string& line, std::string_view value) {
    if (value.empty()) {
        line += '-';
        return;
    }
    appendBounded(line, value, velmora::limits::kLogFieldBytes, [](std::string& out, std::string_view c, bool unsafe) {
        if (!unsafe && c != " " && c != "%") {
            out += c;
            return;
        }
        for (const char byte : c) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(byte));
            out += escaped;
        }
    });
}

// The outcome is free text at the end of the line: an unsafe character
// becomes one space.
void appendText(std::string& line, std::string_view value) {
    appendBounded(line, value, velmora::limits::kLogOutcomeBytes,
                  [](std::string& out, std::string_view c, bool unsafe) {
                      if (unsafe)
                          out += ' ';
                      else
                          out += c;
                  });
}

void appendTime(std::string& line, std::chrono::system_clock::time_point at) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    // ISO 8601 wants the offset as +hh:mm, which strftime cannot write.
    const long offsetMinutes = local.tm_gmtoff / 60;
    const long absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char text[48];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    std::snprintf(text + n, sizeof text - n, "%c%02ld:%02ld", offsetMinutes < 0 ? '-' : '+', absolute / 60,
                  absolute % 60);
    line += text;
}

// The log file, open for one line.
class OpenLog {
public:
    explicit OpenLog(const std::string& fileName)
        // Opening never waits: a FIFO without a reader or a device would
        // otherwise hold the process. Read as well as append, for the
        // file's last byte.
        : fd_(::open(fileName.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0640)) {}
    ~OpenLog() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenLog(const OpenLog&) = delete;
    OpenLog& operator=(const OpenLog&) = delete;

    int fd() const noexcept { return fd_; }

private:
    int fd_;
};

// Takes the writers' turn on the log, waiting kLogLockWaitMilliseconds at
// most. A lock that cannot be had at all (a file system without flock) is
// no reason to drop the line.
bool lockForAppend(int fd) noexcept {
    for (int waited = 0;; ++waited) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK || waited >= velmora::limits::kLogLockWaitMilliseconds) return false;
        ::usleep(1000);
    }
}

// Appends the line in one write. Returns what went wrong, or nothing.
std::string appendLine(const std::string& fileName, std::string line) {
    const OpenLog log(fileName);
    if (log.fd() < 0) return "cannot open the request log " + fileName + ": " + std::strerror(errno);
    struct stat st;
    if (::fstat(log.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return "the request log " + fileName + " is not a regular file";
    // A line cut short (a full disk, a writer killed in its write) is never
    // continued: this one then starts on a line of its own. Truncating the
    // piece away instead could cut a line that another process appended
    // after it, which O_APPEND gives no way to rule out.
    // The size is read under the writers' lock: another writer's append may
    // be half done, and its last byte then looks like a cut line's.
    const bool locked = lockForAppend(log.fd());
    if (locked && ::fstat(log.fd(), &st) != 0) return "cannot read the size of the request log " + fileName;
    char last = '\n';
    if (st.st_size > 0 && ::pread(log.fd(), &last, 1, st.st_size - 1) == 1 && last != '\n') line.insert(0, 1, '\n');
    const ssize_t written = ::write(log.fd(), line.data(), line.size());
    if (written == static_cast<ssize_t>(line.size())) return {};
    return "cannot write the request log " + fileName + ": " + (written < 0 ? std::strerror(errno) : "short write");
}

}  // namespace

std::string formatLogLine(const LoggedRequest& entry) {
    std::string line;
    appendTime(line, entry.start);
    for (const std::string* field :
         {&entry.remoteAddress, &entry.what, &entry.company, &entry.terminal, &entry.table}) {
        line += ' ';
        appendToken(line, *field);
    }
    line += ' ';
    line += entry.rows ? std::to_string(*entry.rows) : "-";
    line += ' ';
    line += std::to_string(entry.bytes);
    line += ' ';
    line += std::to_string(entry.milliseconds);
    line += ' ';
    appendText(line, entry.outcome);
    line += '\n';
    return line;
}

RequestLog::RequestLog(std::string iniFileName, int errorFd)
    : iniFileName_(std::move(iniFileName)), errorFd_(errorFd) {}

std::string RequestLog::logFileName() noexcept {
    try {
        // No INI: the call itself says so; the log falls back to stderr.
        const velmora::IniFile* ini = ini_.current(iniFileName_);
        return ini ? ini->readString("LOG", "ARQUIVO") : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

void RequestLog::write(const LoggedRequest& entry) noexcept {
    try {
        const std::string fileName = logFileName();
        if (fileName.empty()) {
            if (entry.failed()) {
                const std::string line = formatLogLine(entry);
                [[maybe_unused]] const ssize_t n = ::write(errorFd_, line.data(), line.size());
            }
            return;
        }
        const std::string problem = appendLine(fileName, formatLogLine(entry));
        if (!problem.empty())
            report(fileName, problem);
        else if (reportedFor_ == fileName)
            reportedFor_.clear();  // usable again: a later failure is news
    } catch (...) {
        // Out of memory formatting a line: the request is answered all the same.
    }
}

void RequestLog::report(const std::string& fileName, const std::string& problem) noexcept {
    if (reportedFor_ == fileName) return;
    reportedFor_ = fileName;
    const std::string line = "velmora: " + problem + "\n";
    [[maybe_unused]] const ssize_t n = ::write(errorFd_, line.data(), line.size());
}

}  // namespace host
