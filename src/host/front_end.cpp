// The front ends: one CGI request from environment to written answer, and
// the FastCGI loop (Debian's libfcgi) that serves one request after another
// in the same process, each exactly as a fresh CGI process would.
#include "host/front_end.h"

#include "common/exception.h"
#include "common/limits.h"
#include "host/cgi_response.h"
#include "host/error_pages.h"
#include "soap/dispatcher.h"

#include <fcgiapp.h>
#include <fcntl.h>
#include <malloc.h>
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
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace host {

namespace {

std::string parameter(const soap::CallSummary& call, std::initializer_list<std::string_view> names) {
    const std::vector<std::string>& declared = call.operation->paramNames;
    for (std::size_t i = 0; i < declared.size() && i < call.params.size(); ++i)
        for (const std::string_view name : names)
            if (declared[i] == name) return call.params[i];
    return {};
}

// The log's view of the request and of the answer it got.
void describe(const WebRequest& request, const WebResponse& response, LoggedRequest& entry) {
    const soap::CallSummary& call = response.call();
    if (call.operation != nullptr) {
        entry.what = call.operation->name;
        entry.company = parameter(call, {"PCodEmpresa", "PCodEmp"});
        entry.terminal = parameter(call, {"PEcf"});
        entry.table = call.operation->recordKind != nullptr ? std::string(call.operation->recordKind->queueTable)
                                                            : parameter(call, {"PTabela"});
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

    // Waits until the listening socket has a connection (true) or a stop is
    // asked for (false).
    bool awaitConnection() const {
        for (;;) {
            pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {fd_, POLLIN, 0}};
            const int ready = ::poll(fds, 2, -1);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0 || (fds[1].revents & POLLIN) || (fds[0].revents & (POLLERR | POLLNVAL))) return false;
            if (fds[0].revents & POLLIN) return !stopPending();
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

// One libfcgi request slot on the listening socket; a request still open
// when it goes is finished (its answer flushed, its connection closed).
class FastCgiRequest {
public:
    FastCgiRequest() {
        if (FCGX_InitRequest(&request_, STDIN_FILENO, 0) != 0)
            throw velmora::Exception("Cannot prepare a FastCGI request");
    }
    ~FastCgiRequest() { FCGX_Finish_r(&request_); }
    FastCgiRequest(const FastCgiRequest&) = delete;
    FastCgiRequest& operator=(const FastCgiRequest&) = delete;

    FCGX_Request& get() noexcept { return request_; }

private:
    FCGX_Request request_{};
};

std::string streamError(FCGX_Stream* stream) {
    const int error = FCGX_GetError(stream);
    return error > 0 ? std::strerror(error) : "FastCGI protocol error " + std::to_string(error);
}

// The request's FCGI_STDIN stream.
class FastCgiInput final : public RequestInput {
public:
    explicit FastCgiInput(FCGX_Stream* stream) noexcept : stream_(stream) {}
    std::size_t read(char* buffer, std::size_t capacity) override {
        const int n = FCGX_GetStr(buffer, static_cast<int>(std::min<std::size_t>(capacity, INT_MAX)), stream_);
        if (n < 0 || FCGX_GetError(stream_) != 0)
            throw velmora::Exception("Error reading the request: " + streamError(stream_));
        return static_cast<std::size_t>(n);
    }

private:
    FCGX_Stream* stream_;
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

void giveBackFreeMemory() noexcept {
    if (mallinfo2().fordblks > velmora::limits::kTrimFreeAboveBytes) ::malloc_trim(0);
}

LoggedRequest serveOne(const PersistentService& service, FCGX_Request& request) noexcept {
    FastCgiInput input(request.in);
    FastCgiOutput output(request.out);
    LoggedRequest entry;
    try {
        std::vector<std::string> entries;
        for (char** p = request.envp; p != nullptr && *p != nullptr; ++p) entries.emplace_back(*p);
        entry = service.serve(CgiEnvironment(entries), input, output);
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
        FastCgiRequest request;
        const long limit = requestLimit();
        for (long served = 0; (limit == 0 || served < limit) && stop.awaitConnection();) {
            const int accepted = FCGX_Accept_r(&request.get());
            if (accepted == -EAGAIN || accepted == -EWOULDBLOCK || accepted == -EINTR) continue;
            if (accepted < 0) throw velmora::Exception("FastCGI accept failed: " + std::to_string(accepted));
            const LoggedRequest entry = serveOne(service, request.get());
            FCGX_Finish_r(&request.get());
            service.log(entry);
            ++served;
            service.reset();
            giveBackFreeMemory();
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return 1;
    }
}

}  // namespace host
