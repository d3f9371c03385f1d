// A FastCGI application process under test: spawned on a listening Unix
// socket like spawn-fcgi does, and reached through cgi-fcgi.
#include "support/fastcgi_process.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace testsupport {

namespace {

sockaddr_un socketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

int listeningSocket(const std::string& path) {
    const sockaddr_un address = socketAddress(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 64) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot listen on " + path + ": " + std::strerror(errno));
    }
    return fd;
}

// A name-value pair's length: one byte below 128, else four with the top bit set.
void appendLength(std::string& out, std::size_t length) {
    if (length < 128) {
        out.push_back(static_cast<char>(length));
        return;
    }
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>(((length >> shift) & 0xFF) | (shift == 24 ? 0x80 : 0)));
}

}  // namespace

std::string fastCgiRecord(unsigned char type, std::string_view content) {
    const std::size_t length = content.size();
    std::string record = {
        1, static_cast<char>(type), 0, 1, static_cast<char>(length >> 8), static_cast<char>(length & 0xFF), 0, 0};
    record.append(content);
    return record;
}

std::string fastCgiBeginRequest(bool keepConnection) {
    return std::string{0, 1, static_cast<char>(keepConnection ? 1 : 0), 0, 0, 0, 0, 0};
}

std::string fastCgiParams(const std::vector<std::string>& env) {
    std::string out;
    for (const std::string& entry : env) {
        const std::size_t equals = entry.find('=');
        appendLength(out, equals);
        appendLength(out, entry.size() - equals - 1);
        out.append(entry, 0, equals);
        out.append(entry, equals + 1);
    }
    return out;
}

FastCgiProcess::FastCgiProcess(const std::string& program, const std::vector<std::string>& env,
                               const std::string& directory, int errorFd)
    : socketPath_(directory + "/fastcgi.sock") {
    const int listening = listeningSocket(socketPath_);
    pid_ = ::fork();
    if (pid_ < 0) {
        ::close(listening);
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        ::dup2(listening, STDIN_FILENO);
        if (errorFd >= 0) ::dup2(errorFd, STDERR_FILENO);
        std::signal(SIGPIPE, SIG_DFL);
        std::vector<char*> envp;
        for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
        envp.push_back(nullptr);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        ::execve(program.c_str(), argv, envp.data());
        ::_exit(127);
    }
    ::close(listening);
}

FastCgiProcess::~FastCgiProcess() {
    if (!ended_) stop(SIGKILL, 10000);
    ::unlink(socketPath_.c_str());
}

bool FastCgiProcess::running() {
    if (ended_) return false;
    if (::waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
    return !ended_;
}

long FastCgiProcess::rssKb(Rss which) const {
    const std::string field = which == Rss::Now ? "VmRSS:" : "VmHWM:";
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
    return -1;
}

CgiRun FastCgiProcess::request(const std::vector<std::string>& env, std::string_view body, int timeoutMs) const {
    CgiOptions options;
    options.timeoutMs = timeoutMs;
    options.arguments = {"-bind", "-connect", socketPath_};
    return runCgi(kCgiFcgiPath, env, body, options);
}

int FastCgiProcess::connect() const {
    const sockaddr_un address = socketAddress(socketPath_);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

CgiRun FastCgiProcess::stop(int signal, int timeoutMs) {
    if (!ended_ && signal != 0) ::kill(pid_, signal);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool killed = false;
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            killed = true;
            while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {}
            ended_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    CgiRun result;
    result.exited = !killed && WIFEXITED(status_);
    result.exitStatus = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    result.signal = WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
    return result;
}

}  // namespace testsupport
