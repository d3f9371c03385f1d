// velmora-admin run as the operator runs it: a process of its own with this
// test's environment (the Firebird client's variables included), its
// standard output and exit code read back.
#pragma once

#include "support/cgi_runner.h"

#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace admintest {

struct AdminRun {
    std::string output;
    int exitStatus = -1;
};

inline AdminRun runAdmin(std::vector<std::string> arguments) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    testsupport::CgiOptions options;
    options.arguments = std::move(arguments);
    const testsupport::CgiRun run =
        testsupport::runCgi(std::string(VELMORA_BINARY_DIR) + "/velmora-admin", env, {}, options);
    return {run.output, run.exited ? run.exitStatus : -1};
}

// An INI as the service reads it: CR LF lines, [DATABASE] then any more.
inline void writeIni(const std::string& file, const std::string& database, const std::string& user,
                     const std::string& password, const std::string& more = {}) {
    std::ofstream(file) << "[DATABASE]\r\nCAMINHO=" << database << "\r\nUSUARIO=" << user << "\r\nSENHA=" << password
                        << "\r\n"
                        << more;
}

}  // namespace admintest
