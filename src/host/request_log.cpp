// One log line per request, each in a single O_APPEND write so that the
// lines of concurrent processes never interleave.
#include "host/request_log.h"

#include "common/ini_file.h"

#include <fcntl.h>
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

// A field that stays one space-free token: "-" when empty, and bytes that
// would split or garble the line (space, controls, DEL, '%') as %XX.
void appendToken(std::string& line, std::string_view value) {
    if (value.empty()) {
        line += '-';
        return;
    }
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '%') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            line += escaped;
        } else {
            line += c;
        }
    }
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
    // The outcome is free text at the end: only line breaks and other
    // controls go, as spaces.
    for (const char c : entry.outcome) {
        const auto byte = static_cast<unsigned char>(c);
        line += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    line += '\n';
    return line;
}

RequestLog::RequestLog(std::string iniFileName, int errorFd)
    : iniFileName_(std::move(iniFileName)), errorFd_(errorFd) {}

std::string RequestLog::logFileName() {
    struct stat st;
    if (::stat(iniFileName_.c_str(), &st) != 0) {
        // No INI: the call itself says so; the log falls back to stderr.
        iniStamp_.reset();
        return {};
    }
    if (iniStamp_ == velmora::FileStamp(st)) return logFile_;
    try {
        logFile_ = velmora::IniFile::load(iniFileName_).readString("LOG", "ARQUIVO");
        iniStamp_.emplace(st);
    } catch (const std::exception&) {
        iniStamp_.reset();
        logFile_.clear();
    }
    return logFile_;
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
        const int fd = ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0640);
        if (fd < 0) return report(fileName, "cannot open the request log " + fileName + ": " + std::strerror(errno));
        const std::string line = formatLogLine(entry);
        const ssize_t written = ::write(fd, line.data(), line.size());
        const int writeError = errno;
        ::close(fd);
        if (written != static_cast<ssize_t>(line.size()))
            report(fileName, "cannot write the request log " + fileName + ": " +
                                 (written < 0 ? std::strerror(writeError) : "short write"));
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
