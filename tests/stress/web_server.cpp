// The stress tests' web server and HTTP client.
#include "stress/web_server.h"

#include "stress/command.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace stress {

namespace {

// A free port within VELMORA_TEST_WEB_PORTS (FIRST-LAST) when it is set, as
// the end-to-end tests choose theirs; any free port otherwise.
int webPort() {
    const char* range = std::getenv("VELMORA_TEST_WEB_PORTS");
    int first = 0, last = 0;
    if (range == nullptr || std::sscanf(range, "%d-%d", &first, &last) != 2) return freeLoopbackPort();
    for (int port = first; port <= last; ++port) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        const bool free = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0) ::close(fd);
        if (free) return port;
    }
    throw std::runtime_error(std::string("no free port in VELMORA_TEST_WEB_PORTS ") + range);
}

}  // namespace

WebServer::WebServer(const std::string& program, Mode mode) : port_(webPort()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-web-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a directory for the web server");
    directory_ = pattern;
    scriptPath_ = "/" + std::filesystem::path(program).filename().string();
    try {
        std::vector<std::string> command{repoPath("scripts/lib/webserver.sh"), "start"};
        if (mode == Mode::FastCgi) command.emplace_back("--fastcgi");
        command.insert(command.end(), {directory_, std::to_string(port_), program});
        runChecked(command);
    } catch (...) {
        std::filesystem::remove_all(directory_);
        throw;
    }
}

WebServer::~WebServer() {
    runCommand({repoPath("scripts/lib/webserver.sh"), "stop", directory_});
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

namespace {

struct Socket {
    int fd;
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

bool sendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

HttpAnswer postSoap(int port, const std::string& scriptPath, std::string_view operation, const Params& params,
                    std::string_view field) {
    HttpAnswer answer;
    Socket s{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    if (s.fd < 0) {
        answer.error = "socket failed";
        return answer;
    }
    timeval timeout{120, 0};
    ::setsockopt(s.fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(s.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        answer.error = std::string("connect: ") + std::strerror(errno);
        return answer;
    }
    const std::string body = requestEnvelope(operation, params);
    const std::string request = "POST " + scriptPath +
                                "/soap/IVelmora HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                "\r\nContent-Type: text/xml; charset=utf-8\r\nSOAPAction: " + soapAction(operation) +
                                "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    if (!sendAll(s.fd, request) || !sendAll(s.fd, body)) {
        answer.error = std::string("send: ") + std::strerror(errno);
        return answer;
    }
    std::string response;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(s.fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            answer.error = std::string("recv: ") + std::strerror(errno);
            return answer;
        }
        if (n == 0) break;
        response.append(buffer, static_cast<std::size_t>(n));
    }
    if (response.rfind("HTTP/1.", 0) != 0 || response.size() < 12) {
        answer.error = "no HTTP status line: " + response.substr(0, 200);
        return answer;
    }
    answer.status = std::atoi(response.c_str() + 9);
    const auto [head, content] = splitHead(response);
    answer.body = std::string(content);
    answer.soap = readAnswer(answer.body, field);
    return answer;
}

}  // namespace stress
