// The front ends: one CGI request from environment to written answer, and
// the FastCGI loop (Debian's libfcgi) that serves one request after another
// in the same process, each exactly as a fresh CGI process would.
#include "host/front_end.h"

#include "common/exception.h"
#include "common/limits.h"
#include "common/text.h"
#include "common/watchdog.h"
#include "host/cgi_response.h"
#include "host/error_pages.h"

#include <arpa/inet.h>
#include <fcgiapp.h>
#include <fcntl.h>
#include <malloc.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace host {

namespace {

// The log's view of the request and of the answer it got.
void describe(const WebRequest& request, const WebResponse& response, LoggedRequest& entry) {
    const velmora::CallSummary& call = response.call();
    if (!call.operation.empty()) {
        entry.what = call.operation;
        entry.company = call.company;
        entry.terminal = call.terminal;
        entry.table = call.table;
        entry.rows = call.rows;
    } else if (!response.loggedWhat().empty()) {
        entry.what = response.loggedWhat();
        entry.outcome = response.loggedOutcome();
        return;
    } else {
        entry.what = request.scriptName() + request.pathInfo();
        if (!request.query().empty()) entry.what += "?" + request.query();
    }
    if (!call.fault.empty())
        entry.outcome = call.fault;
    else if (response.statusCode() != 200)
        entry.outcome = "HTTP " + std::to_string(response.statusCode());
}

}  // namespace

LoggedRequest serveRequest(CgiEnvironment env, RequestInput& input, ResponseOutput& output,
                           const WebModuleFactory& createModule) noexcept {
    const auto started = std::chrono::steady_clock::now();
    LoggedRequest entry;
    entry.start = std::chrono::system_clock::now();
    const std::uint64_t writtenBefore = output.written();
    try {
        entry.remoteAddress = env.get("REMOTE_ADDR");
        entry.what = std::string(env.get("SCRIPT_NAME")) + std::string(env.get("PATH_INFO"));
        const WebRequest request(std::move(env), input);
        WebResponse response(request.protocolVersion());
        const std::unique_ptr<WebModule> module = createModule();
        if (module->dispatch(request, response)) {
            describe(request, response, entry);
            response.writeTo(output);
        } else {
            entry.outcome = "no answer: nothing serves this path";
        }
    } catch (...) {
        writeFallbackResponse(output, std::current_exception());
        const std::optional<velmora::ExceptionText> failure = velmora::describe(std::current_exception());
        entry.outcome = failure ? failure->message : "unknown failure";
    }
    entry.bytes = output.written() - writtenBefore;
    entry.milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    return entry;
}

// --- FastCGI

namespace {

// SIGTERM and SIGINT, for as long as the loop runs, only ask it to stop:
// they are blocked in every thread (the database client's threads start
// later and inherit the mask) and read from a descriptor that is polled with
// the listening socket. So a stop never cuts a request short, never slips in
// unseen just before a wait, and no handler runs at all: the database client
// puts handlers of its own on both signals, which would shut its attachments
// down, and an attachment that saw a signal arrive through a handler of ours
// instead was found unable to detach. On the way out both signals are
// ignored, so that nothing interrupts the client's exit-time cleanup.
class StopSignals {
public:
    StopSignals() {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGTERM);
        sigaddset(&signals_, SIGINT);
        ::pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        fd_ = ::signalfd(-1, &signals_, SFD_CLOEXEC | SFD_NONBLOCK);
        if (fd_ < 0) throw velmora::Exception(std::string("Cannot read signals: ") + std::strerror(errno));
    }
    ~StopSignals() {
        std::signal(SIGTERM, SIG_IGN);
        std::signal(SIGINT, SIG_IGN);
        ::close(fd_);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    enum class Next { Stop, NewConnection, KeptConnection };
    // Waits for a stop, a connection on the listening socket, or the next
    // request on the connection the web server kept open (`keptFd`, -1 for
    // none): a kept connection left idle holds nothing up.
    Next await(int keptFd) const {
        for (;;) {
            pollfd fds[3] = {{STDIN_FILENO, POLLIN, 0}, {fd_, POLLIN, 0}, {keptFd, POLLIN, 0}};
            const int ready = ::poll(fds, 3, -1);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0 || (fds[1].revents & POLLIN) || (fds[0].revents & (POLLERR | POLLNVAL)) || stopPending())
                return Next::Stop;
            if (fds[2].revents != 0) return Next::KeptConnection;
            if (fds[0].revents & POLLIN) return Next::NewConnection;
        }
    }

private:
    // A stop that arrived while a request was served.
    bool stopPending() const {
        sigset_t pending;
        return ::sigpending(&pending) == 0 &&
               (sigismember(&pending, SIGTERM) == 1 || sigismember(&pending, SIGINT) == 1);
    }

    sigset_t signals_;
    int fd_;
};

std::string streamError(FCGX_Stream* stream) {
    const int error = FCGX_GetError(stream);
    return error > 0 ? std::strerror(error) : "FastCGI protocol error " + std::to_string(error);
}

// Whether a connection comes from a web server FCGI_WEB_SERVER_ADDRS allows,
// as libfcgi checks it: an IPv4 peer must be one of its addresses.
bool fromAllowedWebServer(const sockaddr_storage& peer) {
    const char* allowed = std::getenv("FCGI_WEB_SERVER_ADDRS");
    if (peer.ss_family != AF_INET || allowed == nullptr || *allowed == '\0') return true;
    const in_addr address = reinterpret_cast<const sockaddr_in&>(peer).sin_addr;
    for (std::string_view list = allowed; !list.empty();) {
        const std::size_t comma = std::min(list.find(','), list.size());
        const std::string item(velmora::trim(list.substr(0, comma)));
        in_addr listed{};
        if (::inet_pton(AF_INET, item.c_str(), &listed) == 1 && listed.s_addr == address.s_addr) return true;
        list.remove_prefix(std::min(comma + 1, list.size()));
    }
    return false;
}

// The process's one request slot and the web server's connection it reads.
// The connection is accepted here, not by libfcgi, so that the time for
// reading it can be bounded; libfcgi has no call to take one, so the
// request's ipcFd is set, and keepConnection, so that the FCGX_Finish_r that
// FCGX_Accept_r begins with leaves it open; its listening socket is -1, so
// that it never accepts one itself. A request not read within
// kWebServerReadSeconds, or a close not done within kConnectionCloseSeconds,
// is cut by the watchdog (shutdown), through a descriptor of its own for the
// socket: libfcgi may close its own meanwhile, and the number be reused.
class FastCgiConnection {
public:
    FastCgiConnection() {
        if (FCGX_InitRequest(&request_, -1, 0) != 0) throw velmora::Exception("Cannot prepare a FastCGI request");
    }
    ~FastCgiConnection() { drop(); }
    FastCgiConnection(const FastCgiConnection&) = delete;
    FastCgiConnection& operator=(const FastCgiConnection&) = delete;

    FCGX_Request& request() noexcept { return request_; }
    // The connection the web server kept open after the last request, or -1.
    int kept() const noexcept { return request_.ipcFd; }

    // Takes the connection waiting on the listening socket, in place of a
    // kept one; false when there was none (another process took it) or it
    // comes from an address FCGI_WEB_SERVER_ADDRS does not allow.
    bool accept() {
        sockaddr_storage peer{};
        socklen_t length = sizeof peer;
        const int fd = ::accept4(STDIN_FILENO, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED) return false;
            throw velmora::Exception(std::string("FastCGI accept failed: ") + std::strerror(errno));
        }
        const int cut = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (cut < 0 || !fromAllowedWebServer(peer)) {
            ::close(fd);
            if (cut >= 0) ::close(cut);
            return false;
        }
        if (peer.ss_family == AF_INET) {
            const int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        }
        drop();
        request_.ipcFd = fd;
        request_.keepConnection = 1;
        cut_ = cut;
        return true;
    }

    // Reads the next request up to its parameters; false when the connection
    // ended without one (closed by the web server, cut, a protocol error), and
    // libfcgi closed it.
    bool readRequest() {
        readBy_ = Clock::now() + std::chrono::seconds(velmora::limits::kWebServerReadSeconds);
        wasCut_ = false;
        if (cutAt(readBy_, [&] { return FCGX_Accept_r(&request_); }) == 0) return true;
        forgetCut();
        return false;
    }

    // Reads the request's body, by the same time as its parameters.
    std::size_t readBody(char* buffer, std::size_t capacity) {
        const int n = cutAt(readBy_, [&] {
            return FCGX_GetStr(buffer, static_cast<int>(std::min<std::size_t>(capacity, INT_MAX)), request_.in);
        });
        if (wasCut_)
            throw velmora::Exception("Error reading the request: not whole after " +
                                     std::to_string(velmora::limits::kWebServerReadSeconds) + " s");
        if (n < 0 || FCGX_GetError(request_.in) != 0)
            throw velmora::Exception("Error reading the request: " + streamError(request_.in));
        return static_cast<std::size_t>(n);
    }

    // Ends the request: the end of the answer goes out at the pace the web
    // server reads it, then the connection is closed (by libfcgi, which
    // first reads what the web server still sends) unless the web server
    // keeps it.
    void finish() {
        FCGX_FClose(request_.err);
        FCGX_FClose(request_.out);
        cutAt(Clock::now() + std::chrono::seconds(velmora::limits::kConnectionCloseSeconds), [&] {
            FCGX_Finish_r(&request_);
            return 0;
        });
        if (request_.ipcFd < 0) forgetCut();
    }

private:
    using Clock = velmora::Watchdog::Clock;

    // Runs libfcgi's `work` on the connection, cut if it has not returned by
    // `deadline`.
    template <class Work>
    int cutAt(Clock::time_point deadline, Work work) {
        const velmora::Watchdog::Alarm alarm(deadline, [fd = cut_] { ::shutdown(fd, SHUT_RDWR); });
        const int result = work();
        wasCut_ = wasCut_ || alarm.outcome() != velmora::Watchdog::Alarm::Outcome::Pending;
        return result;
    }

    // Closes a connection kept open, at once.
    void drop() noexcept {
        if (request_.ipcFd >= 0) {
            ::shutdown(cut_, SHUT_RDWR);
            FCGX_Free(&request_, 1);
        }
        forgetCut();
    }

    void forgetCut() noexcept {
        if (cut_ >= 0) ::close(cut_);
        cut_ = -1;
    }

    FCGX_Request request_{};
    int cut_ = -1;
    Clock::time_point readBy_;
    bool wasCut_ = false;
};

// The request's FCGI_STDIN stream.
class FastCgiInput final : public RequestInput {
public:
    explicit FastCgiInput(FastCgiConnection& connection) noexcept : connection_(connection) {}
    std::size_t read(char* buffer, std::size_t capacity) override { return connection_.readBody(buffer, capacity); }

private:
    FastCgiConnection& connection_;
};

// The request's FCGI_STDOUT stream. It fills libfcgi's buffer and flushes
// it when full, as FCGX_PutStr would (the same records go out), so that it
// knows which bytes the web server took: those of the records written.
class FastCgiOutput final : public ResponseOutput {
public:
    explicit FastCgiOutput(FCGX_Stream* stream) noexcept : stream_(stream) {}
    void write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const auto room = static_cast<std::size_t>(stream_->stop - stream_->wrNext);
            if (room == 0) {
                // A stream closed by a failure takes nothing more.
                if (stream_->isClosed || FCGX_FFlush(stream_) != 0)
                    throw velmora::Exception("Error writing the response: " + streamError(stream_));
                sent();
                continue;
            }
            const std::size_t n = std::min(room, bytes.size());
            FCGX_PutStr(bytes.data(), static_cast<int>(n), stream_);  // fits: a copy, no flush
            buffered_ += n;
            bytes.remove_prefix(n);
        }
    }
    // Ends the answer: the last record and the end of the request go out.
    void close() noexcept {
        if (FCGX_FClose(stream_) == 0) sent();
    }
    std::uint64_t written() const noexcept override { return sent_; }

private:
    void sent() noexcept {
        sent_ += buffered_;
        buffered_ = 0;
    }

    FCGX_Stream* stream_;
    std::uint64_t buffered_ = 0;
    std::uint64_t sent_ = 0;
};

// VELMORA_MAX_REQUESTS as a positive number; 0 (no limit) otherwise.
long requestLimit() {
    const char* text = std::getenv("VELMORA_MAX_REQUESTS");
    const long limit = text ? std::strtol(text, nullptr, 10) : 0;
    return limit > 0 ? limit : 0;
}

void giveBackFreeMemory(const LoggedRequest& entry, long served) noexcept {
    using namespace velmora::limits;
    if (entry.bytes < kTrimCheckAfterBytes && !entry.failed() && served % kTrimCheckEveryRequests != 0) return;
    if (mallinfo2().fordblks > kTrimFreeAboveBytes) ::malloc_trim(0);
}

LoggedRequest serveOne(const PersistentService& service, FastCgiConnection& connection) noexcept {
    const FCGX_Request& request = connection.request();
    FastCgiInput input(connection);
    FastCgiOutput output(request.out);
    LoggedRequest entry;
    try {
        entry = service.serve(CgiEnvironment(request.envp), input, output);
    } catch (...) {
        writeFallbackResponse(output, std::current_exception());
        entry.start = std::chrono::system_clock::now();
        const std::optional<velmora::ExceptionText> failure = velmora::describe(std::current_exception());
        entry.outcome = failure ? failure->message : "unknown failure";
    }
    // The streams close as FCGX_Finish_r closes them (errors first, so that
    // the end of the request goes out with the answer's last record); only
    // then is it known what the web server took.
    FCGX_FClose(request.err);
    output.close();
    entry.bytes = output.written();
    return entry;
}

}  // namespace

bool startedWithListeningSocket() noexcept {
    int listening = 0;
    socklen_t length = sizeof listening;
    return ::getsockopt(STDIN_FILENO, SOL_SOCKET, SO_ACCEPTCONN, &listening, &length) == 0 && listening != 0;
}

int serveFastCgi(const PersistentService& service) {
    try {
        if (FCGX_Init() != 0) throw velmora::Exception("Cannot start the FastCGI library");
        const StopSignals stop;
        // Processes that share the socket all wake for a connection one of
        // them takes: the others must find accept() empty, not block in it.
        ::fcntl(STDIN_FILENO, F_SETFL, ::fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
        FastCgiConnection connection;
        const long limit = requestLimit();
        for (long served = 0; limit == 0 || served < limit;) {
            const StopSignals::Next next = stop.await(connection.kept());
            if (next == StopSignals::Next::Stop) break;
            if (next == StopSignals::Next::NewConnection && !connection.accept()) continue;
            if (!connection.readRequest()) continue;
            const LoggedRequest entry = serveOne(service, connection);
            connection.finish();
            service.log(entry);
            ++served;
            service.reset();
            giveBackFreeMemory(entry, served);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return 1;
    }
}

}  // namespace host
