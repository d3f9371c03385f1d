// Runs a CGI program as the web server would: a fresh process with an
// explicit environment, the request body on standard input, the response
// read back as bytes from standard output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct CgiRun {
    std::string output;   // everything written to standard output
    bool exited = false;  // ended by exit, not by a signal or the timeout
    int exitStatus = -1;
    int signal = 0;      // the signal that ended it, 0 when it exited
    long peakRssKb = 0;  // the child's peak resident set size
    long cpuMs = 0;      // the child's user and system CPU time
};

struct CgiOptions {
    // Limit of the child's address space in bytes; 0 leaves it unlimited.
    std::uint64_t addressSpaceLimit = 0;
    int timeoutMs = 30000;
    // Sends SIGTERM this many ms after the answer is complete (its
    // Content-Length arrived, or else the output ended), as lighttpd does
    // (at once); negative: never.
    int terminateAfterOutputMs = -1;
    // Standard input from this descriptor (read from its current offset)
    // instead of `input`: a large body held by the test would count in the
    // child's peak RSS, since a forked child starts with its parent's pages.
    int inputFd = -1;
    // Standard error to this descriptor instead of the test's own.
    int errorFd = -1;
    // Arguments after the program's name (a bridge such as cgi-fcgi needs some).
    std::vector<std::string> arguments;
};

// `env` holds NAME=value entries and is the child's whole environment.
// Standard input is closed after `input`, whether or not the child read it all.
CgiRun runCgi(const std::string& program, const std::vector<std::string>& env, std::string_view input,
              const CgiOptions& options = {});

// The service's CGI program in the build tree.
std::string velmoraCgiPath();

}  // namespace testsupport
