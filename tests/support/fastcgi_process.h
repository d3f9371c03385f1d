// The program started as a web server starts a FastCGI application (a
// listening Unix socket on its standard input), and requests sent to it
// through Debian's cgi-fcgi bridge, which a test runs like a CGI program.
#pragma once

#include "support/cgi_runner.h"

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class FastCgiProcess {
public:
    // Starts `program` with `env` as its whole environment, listening on a
    // socket made in `directory`, its standard error on `errorFd` when given.
    FastCgiProcess(const std::string& program, const std::vector<std::string>& env, const std::string& directory,
                   int errorFd = -1);
    // Kills a process still running.
    ~FastCgiProcess();
    FastCgiProcess(const FastCgiProcess&) = delete;
    FastCgiProcess& operator=(const FastCgiProcess&) = delete;

    pid_t pid() const noexcept { return pid_; }
    // Whether the process has not ended (yet).
    bool running();
    // Its resident set size in KB: now (VmRSS), or the most it has been
    // since it started (VmHWM), which an answer held whole in memory for a
    // moment raises even when it is given back at once.
    enum class Rss { Now, Peak };
    long rssKb(Rss which = Rss::Now) const;

    // One request with the CGI environment `env` and `body`, answered on the
    // bridge's standard output exactly as the application wrote it.
    CgiRun request(const std::vector<std::string>& env, std::string_view body, int timeoutMs = 60000) const;

    // Sends `signal` (unless 0) and waits up to `timeoutMs` for the end:
    // status as CgiRun's exited/exitStatus/signal (killed with 9 on timeout,
    // then exited is false).
    CgiRun stop(int signal, int timeoutMs = 30000);

    // A connection of the test's own to the process's socket, for records
    // written by hand (see below); the caller closes it.
    int connect() const;

private:
    std::string socketPath_;
    pid_t pid_ = -1;
    bool ended_ = false;
    int status_ = 0;
};

// FastCGI records as a web server writes them, for tests that play one
// that misbehaves: a record of `type` for request 1, the body of a
// BEGIN_REQUEST for the responder role, and the name-value pairs of a PARAMS
// stream.
std::string fastCgiRecord(unsigned char type, std::string_view content);
std::string fastCgiBeginRequest(bool keepConnection);
std::string fastCgiParams(const std::vector<std::string>& env);

// The bridge every test sends FastCGI requests through.
inline constexpr const char* kCgiFcgiPath = "/usr/bin/cgi-fcgi";

}  // namespace testsupport
