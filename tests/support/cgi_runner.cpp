// Fork/exec CGI runner for end-to-end tests of the built program.
#include "support/cgi_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace testsupport {

namespace {

struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { close(); }
    void close() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

void makePipe(Fd& readEnd, Fd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    readEnd.fd = fds[0];
    writeEnd.fd = fds[1];
}

[[noreturn]] void execChild(const std::string& program, const std::vector<std::string>& env, int in, int out,
                            const CgiOptions& options) {
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    if (options.errorFd >= 0) ::dup2(options.errorFd, STDERR_FILENO);
    // The test process ignores SIGPIPE; the program must start as a web
    // server would start it.
    std::signal(SIGPIPE, SIG_DFL);
    if (options.addressSpaceLimit != 0) {
        rlimit limit{options.addressSpaceLimit, options.addressSpaceLimit};
        ::setrlimit(RLIMIT_AS, &limit);
    }
    std::vector<char*> envp;
    for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : options.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execve(program.c_str(), argv.data(), envp.data());
    ::_exit(127);
}

// Whether the output holds the whole body its head announces, as a web
// server that reads the head sees it: the process may still be running.
bool answerComplete(std::string_view output) {
    const std::size_t headEnd = output.find("\r\n\r\n");
    if (headEnd == std::string_view::npos) return false;
    constexpr std::string_view kLength = "\r\nContent-Length: ";
    const std::size_t at = output.substr(0, headEnd).find(kLength);
    if (at == std::string_view::npos) return false;
    return output.size() - headEnd - 4 >= std::stoull(std::string(output.substr(at + kLength.size(), 20)));
}

}  // namespace

CgiRun runCgi(const std::string& program, const std::vector<std::string>& env, std::string_view input,
              const CgiOptions& options) {
    // A child that stops reading early must give us EPIPE, not kill the test.
    std::signal(SIGPIPE, SIG_IGN);

    Fd inRead, inWrite, outRead, outWrite;
    makePipe(inRead, inWrite);
    makePipe(outRead, outWrite);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) execChild(program, env, options.inputFd >= 0 ? options.inputFd : inRead.fd, outWrite.fd, options);

    inRead.close();
    outWrite.close();
    ::fcntl(inWrite.fd, F_SETFL, O_NONBLOCK);
    if (input.empty() || options.inputFd >= 0) inWrite.close();

    CgiRun run;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.timeoutMs);
    char buffer[65536];
    bool timedOut = false;
    while (outRead.fd >= 0) {
        pollfd fds[2];
        nfds_t count = 0;
        fds[count++] = {outRead.fd, POLLIN, 0};
        if (inWrite.fd >= 0) fds[count++] = {inWrite.fd, POLLOUT, 0};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        const int ready = ::poll(fds, count, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) break;
        if (count == 2 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = ::write(inWrite.fd, input.data(), input.size());
            if (n > 0) input.remove_prefix(static_cast<std::size_t>(n));
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || input.empty()) inWrite.close();
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = ::read(outRead.fd, buffer, sizeof buffer);
            if (n > 0)
                run.output.append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                outRead.close();
            if (options.terminateAfterOutputMs >= 0 && answerComplete(run.output)) break;
        }
    }
    inWrite.close();
    if (timedOut) {
        ::kill(pid, SIGKILL);
    } else if (options.terminateAfterOutputMs >= 0) {
        ::usleep(static_cast<useconds_t>(options.terminateAfterOutputMs) * 1000);
        ::kill(pid, SIGTERM);
    }

    // A process that hangs on its way out is killed after the same bound
    // again and counts as timed out.
    int status = 0;
    rusage usage{};
    const auto exitDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.timeoutMs);
    for (;;) {
        const pid_t ended = ::wait4(pid, &status, WNOHANG, &usage);
        if (ended == pid || (ended < 0 && errno != EINTR)) break;
        if (ended == 0 && std::chrono::steady_clock::now() > exitDeadline) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {}
            break;
        }
        ::usleep(2000);
    }
    run.exited = !timedOut && WIFEXITED(status);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.peakRssKb = usage.ru_maxrss;
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000 + t.tv_usec / 1000; };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return run;
}

std::string velmoraCgiPath() { return std::string(VELMORA_BINARY_DIR) + "/velmora.cgi"; }

}  // namespace testsupport
