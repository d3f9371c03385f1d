// The request log: one line per request, appended to the file the INI's
// [LOG] ARQUIVO names; without one, a line for each failed request on
// standard error, which the web server keeps in its error log.
#pragma once

#include "common/watched_ini.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace host {

// What one request was and how it ended.
struct LoggedRequest {
    std::chrono::system_clock::time_point start;
    std::string remoteAddress;
    std::string what;  // the operation, or the method and path of anything else
    std::string company, terminal, table;
    std::optional<std::size_t> rows;  // the records an import delivered
    std::uint64_t bytes = 0;          // head and body as written
    std::int64_t milliseconds = 0;
    std::string outcome = "ok";  // or the fault's text

    bool failed() const noexcept { return outcome != "ok"; }
};

// The line, newline included: the start in ISO 8601 with the local offset,
// then address, what, company, terminal, table, rows, bytes and duration
// separated by spaces ("-" for what the request did not have; in other
// values spaces, '%' and whatever a line reader or a terminal could take
// for a line break or a control percent-encoded), then the outcome, the same
// characters made spaces. Each value is cut to its limit, the cut marked
// "%...", so that a line stays short whatever a caller sends.
std::string formatLogLine(const LoggedRequest& entry);

class RequestLog {
public:
    // `iniFileName` is looked at for every request, and read again whenever
    // it changed: a log set up or moved takes effect without a restart, in a
    // persistent process too.
    RequestLog(std::string iniFileName, int errorFd);

    // Never fails the request, and never waits: the log must be a regular
    // file (anything else is refused), and a line that a full disk cut short
    // is never continued by the next. A log file that cannot be opened or
    // written is reported once on the error descriptor (once per file name).
    void write(const LoggedRequest& entry) noexcept;

private:
    std::string logFileName() noexcept;
    void report(const std::string& fileName, const std::string& problem) noexcept;

    std::string iniFileName_;
    int errorFd_;
    velmora::WatchedIni ini_;  // [LOG] ARQUIVO= names the log
    std::string reportedFor_;  // the log file last reported as unusable
};

}  // namespace host
