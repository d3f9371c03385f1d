// A Firebird server of the test's own on a free loopback port, started and
// stopped with scripts/lib/firebird-server.sh (state in a temporary
// directory), so a test can take the database away from the service and
// give it back. Needs root: the server runs as the user firebird.
#pragma once

#include <string>

namespace stress {

class FirebirdServer {
public:
    FirebirdServer();   // chooses the port and directory; not started yet
    ~FirebirdServer();  // stopped and removed
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1/<port>:<path>", how the INI names a database on it.
    std::string location(const std::string& path) const;

    void start();
    // An orderly stop: the guardian passes TERM on and waits.
    void stop();
    // A crash: the server process is killed outright (its guardian, run
    // once, ends with it). start() brings it back.
    void kill();
    // A hang: the server process is stopped (SIGSTOP) with its connections
    // open, and answers nothing until resume() (SIGCONT), which stop() and
    // the destructor also do.
    void suspend();
    void resume();
    bool running() const;

private:
    std::string command(const char* action) const;
    int serverProcess() const;
    int port_;
    std::string directory_;
    int suspended_ = 0;  // the server process while it is stopped
};

}  // namespace stress
