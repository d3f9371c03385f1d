// Runs one of the repository's scripts (or any program) to its end, as the
// stress tests drive the web server and the Firebird server: arguments
// passed as they are, extra environment on top of ours, output captured.
#pragma once

#include <string>
#include <vector>

namespace stress {

struct CommandResult {
    int exitStatus = -1;  // -1 when it did not end by exit
    std::string output;   // standard output and standard error, interleaved
};

CommandResult runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});

// Runs it and throws with its output when it does not exit with 0.
std::string runChecked(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});

// A script of the repository by its path there ("scripts/lib/webserver.sh").
std::string repoPath(const std::string& relative);

// A TCP port on 127.0.0.1 that nothing listens on right now.
int freeLoopbackPort();

bool runningAsRoot();

}  // namespace stress
