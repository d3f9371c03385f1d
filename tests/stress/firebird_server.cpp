// The stress tests' private Firebird server.
#include "stress/firebird_server.h"

#include "stress/command.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace stress {

FirebirdServer::FirebirdServer() : port_(freeLoopbackPort()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-fbserver-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a directory for the server");
    directory_ = pattern;
}

FirebirdServer::~FirebirdServer() {
    try {
        stop();
    } catch (...) {}
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string FirebirdServer::location(const std::string& path) const {
    return "127.0.0.1/" + std::to_string(port_) + ":" + path;
}

std::string FirebirdServer::command(const char* action) const {
    return runChecked({repoPath("scripts/lib/firebird-server.sh"), action, std::to_string(port_)},
                      {"VELMORA_FIREBIRD_SERVER_DIR=" + directory_});
}

void FirebirdServer::start() { command("start"); }

void FirebirdServer::stop() {
    resume();
    command("stop");
}

int FirebirdServer::serverProcess() const {
    int guardian = 0;
    std::ifstream(directory_ + "/fbguard.pid") >> guardian;
    if (guardian <= 0) throw std::runtime_error("the server is not running");
    const std::string tasks = "/proc/" + std::to_string(guardian) + "/task/" + std::to_string(guardian) + "/children";
    int server = 0;
    std::ifstream(tasks) >> server;
    if (server <= 0) throw std::runtime_error("the guardian has no server process");
    return server;
}

void FirebirdServer::suspend() {
    suspended_ = serverProcess();
    ::kill(suspended_, SIGSTOP);
}

void FirebirdServer::resume() {
    if (suspended_ > 0) ::kill(suspended_, SIGCONT);
    suspended_ = 0;
}

void FirebirdServer::kill() {
    int guardian = 0;
    std::ifstream(directory_ + "/fbguard.pid") >> guardian;
    const int server = serverProcess();
    ::kill(server, SIGKILL);
    // Wait until the guardian has noticed and ended, so start() starts afresh.
    for (int i = 0; i < 500 && ::kill(guardian, 0) == 0; ++i) {
        std::ifstream status("/proc/" + std::to_string(guardian) + "/status");
        std::string line;
        bool zombie = false;
        while (std::getline(status, line))
            if (line.rfind("State:", 0) == 0) zombie = line.find('Z') != std::string::npos;
        if (zombie) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool FirebirdServer::running() const {
    return runCommand({repoPath("scripts/lib/firebird-server.sh"), "status", std::to_string(port_)},
                      {"VELMORA_FIREBIRD_SERVER_DIR=" + directory_})
               .exitStatus == 0;
}

}  // namespace stress
