// Runs one program the way a web server runs a CGI program and measures it:
// a fresh process with an explicit environment, the request on standard
// input, the response read from standard output to its end.
//
//   bench_cgi_run [--input FILE] [--env NAME=VALUE]... [--inherit-env]
//                 [--expect-soap] [--save FILE] -- PROGRAM [ARG...]
//
// Prints one line: response_ms exit_ms user_ms sys_ms peak_rss_kb out_bytes.
// response_ms is when standard output reached its end (what a web server
// waits for); exit_ms when the process had ended (exit-time cleanup
// included). --expect-soap fails unless the output is a "200 OK" CGI answer
// holding a whole SOAP envelope and no fault (a gzip answer: the status only).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double ms(const timeval& tv) { return static_cast<double>(tv.tv_sec) * 1e3 + static_cast<double>(tv.tv_usec) / 1e3; }

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "bench_cgi_run: %s\n", message.c_str());
    std::exit(1);
}

int usage(const char* self) {
    std::fprintf(stderr,
                 "usage: %s [--input FILE] [--env NAME=VALUE]... [--inherit-env] [--expect-soap] [--save FILE] "
                 "-- PROGRAM [ARG...]\n",
                 self);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string input = "/dev/null", save;
    std::vector<std::string> env;
    bool inherit = false, expectSoap = false;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--input" && i + 1 < argc)
            input = argv[++i];
        else if (a == "--env" && i + 1 < argc)
            env.emplace_back(argv[++i]);
        else if (a == "--save" && i + 1 < argc)
            save = argv[++i];
        else if (a == "--inherit-env")
            inherit = true;
        else if (a == "--expect-soap")
            expectSoap = true;
        else
            return usage(argv[0]);
    }
    if (i >= argc) return usage(argv[0]);

    std::vector<char*> envp;
    if (inherit)
        for (char** e = environ; *e; ++e) envp.push_back(*e);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    const int in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) fail("cannot open " + input + ": " + std::strerror(errno));
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) fail("pipe");
    FILE* saved = save.empty() ? nullptr : std::fopen(save.c_str(), "wb");
    if (!save.empty() && !saved) fail("cannot write " + save);

    const double start = nowMs();
    const pid_t pid = ::fork();
    if (pid < 0) fail("fork");
    if (pid == 0) {
        ::dup2(in, STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::execve(argv[i], argv + i, envp.data());
        std::fprintf(stderr, "bench_cgi_run: cannot run %s: %s\n", argv[i], std::strerror(errno));
        ::_exit(127);
    }
    ::close(out[1]);

    // Keep the head and the tail for the checks; count the rest.
    std::string head, tail;
    std::size_t bytes = 0;
    static char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        const std::string_view chunk(buffer, static_cast<std::size_t>(n));
        if (head.size() < 4096) head.append(chunk.substr(0, 4096 - head.size()));
        tail.append(chunk);
        if (tail.size() > 8192) tail.erase(0, tail.size() - 4096);
        if (saved) std::fwrite(buffer, 1, chunk.size(), saved);
        bytes += chunk.size();
    }
    const double response = nowMs() - start;
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {}
    const double exited = nowMs() - start;
    if (saved) std::fclose(saved);

    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(std::string(argv[i]) + " ended with status " + std::to_string(status) +
             "; output began: " + head.substr(0, 300));
    if (expectSoap) {
        // A compressed envelope is checked once decoded, by bench/run.
        const bool gzip = head.find("\r\nContent-Encoding: gzip\r\n") != std::string::npos;
        const bool ok =
            head.starts_with("Status: 200 OK\r\n") &&
            (gzip || (head.find("<SOAP-ENV:Fault>") == std::string::npos && tail.ends_with("</SOAP-ENV:Envelope>")));
        if (!ok) fail("not a SOAP answer; output began: " + head.substr(0, 600));
    }
    std::printf("%.1f %.1f %.1f %.1f %ld %zu %ld\n", response, exited, ms(usage.ru_utime), ms(usage.ru_stime),
                usage.ru_maxrss, bytes, usage.ru_minflt + usage.ru_majflt);
    return 0;
}
