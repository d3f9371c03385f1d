// Child processes for the stress tests' helpers.
#include "stress/command.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace stress {

CommandResult runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");

    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
    for (const std::string& extra : extraEnv) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(envStrings, [&](const std::string& s) { return s.rfind(name, 0) == 0; });
        envStrings.push_back(extra);
    }
    std::vector<char*> envp, args;
    for (std::string& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopy = argv;
    for (std::string& s : argCopy) args.push_back(s.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(spawned));
    }

    // Servers started by a script keep a copy of the pipe; read until the
    // script itself has ended, not until every copy is closed.
    CommandResult result;
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    char buffer[4096];
    int status = 0;
    for (;;) {
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
            result.output.append(buffer, static_cast<std::size_t>(n));
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) break;
        ::usleep(10000);
    }
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string runChecked(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    CommandResult r = runCommand(argv, extraEnv);
    if (r.exitStatus != 0) {
        std::string line;
        for (const std::string& a : argv) line += a + " ";
        throw std::runtime_error(line + "failed (" + std::to_string(r.exitStatus) + "):\n" + r.output);
    }
    return r.output;
}

std::string repoPath(const std::string& relative) { return std::string(VELMORA_SOURCE_DIR) + "/" + relative; }

int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot find a free port");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

bool runningAsRoot() { return ::geteuid() == 0; }

}  // namespace stress
