// The whole road of one request through the host, with test modules in
// place of the service's: sending, unhandled requests and the fallback.
#include "host_test_io.h"

#include "common/exception.h"
#include "host/cgi_response.h"
#include "host/front_end.h"
#include "soap/spool.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <thread>

using namespace host;
using hosttest::MemFile;

namespace {

std::string run(const std::vector<std::string>& env, std::string_view body, const WebModuleFactory& factory) {
    MemFile input(body);
    MemFile output;
    FdInput in(input.fd());
    FdOutput out(output.fd());
    serveRequest(CgiEnvironment(env), in, out, factory);
    return output.contents();
}

// A module whose only action echoes the request body as its answer.
std::unique_ptr<WebModule> echoModule() {
    auto module = std::make_unique<WebModule>();
    module->addAction(
        WebActionItem{"Echo", Route(mtPost, "/echo"), [](const WebRequest& request, WebResponse& response, bool&) {
                          response.setContentType("text/plain");
                          response.setContent(request.content());
                      }});
    return module;
}

}  // namespace

TEST(FrontEndRoad, HandledRequestIsAnsweredWithWhatItsHandlerSet) {
    EXPECT_EQ(run({"REQUEST_METHOD=POST", "PATH_INFO=/echo", "SERVER_PROTOCOL=HTTP/1.1", "CONTENT_LENGTH=5"},
                  "hello, and more", echoModule),
              "Status: 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 5\r\nContent:\r\n\r\nhello");
}

TEST(FrontEndRoad, UnhandledRequestWritesNothing) {
    EXPECT_EQ(run({"REQUEST_METHOD=GET", "PATH_INFO=/echo", "SERVER_PROTOCOL=HTTP/1.1"}, "", echoModule), "");
    EXPECT_EQ(run({"REQUEST_METHOD=POST", "PATH_INFO=/other", "SERVER_PROTOCOL=HTTP/1.1"}, "", echoModule), "");
}

TEST(FrontEndFallback, FailureOutsideDispatchWritesTheBareErrorResponse) {
    const auto failingFactory = []() -> std::unique_ptr<WebModule> {
        throw velmora::Exception("Module <unavailable>\r\nStatus: 200 OK");
    };
    const std::string page =
        "<html><title>Internal Server Error 500</title>\r\n<h1>Internal Server Error 500</h1><hr>\r\n"
        "Exception: Exception<br>\r\n"
        "Message: Module &lt;unavailable&gt;\r\nStatus: 200 OK<br></html>\r\n";
    // Written whatever the protocol version, and without a "Content:" line;
    // the message cannot break the status line into a second header.
    for (const char* protocol : {"SERVER_PROTOCOL=HTTP/1.1", "SERVER_PROTOCOL="}) {
        EXPECT_EQ(run({"REQUEST_METHOD=GET", "PATH_INFO=/", protocol}, "", failingFactory),
                  "Status: 500 Module <unavailable>  Status: 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                      std::to_string(page.size()) + "\r\n\r\n" + page)
            << protocol;
    }
}

TEST(FrontEndFallback, NamesTheTypeOfTheFailure) {
    const auto dbFactory = []() -> std::unique_ptr<WebModule> { throw velmora::EDatabaseError("no db"); };
    EXPECT_NE(run({}, "", dbFactory).find("Exception: EDatabaseError<br>\r\nMessage: no db<br>"), std::string::npos);
    const auto memoryFactory = []() -> std::unique_ptr<WebModule> { throw std::bad_alloc(); };
    EXPECT_NE(run({}, "", memoryFactory).find("Exception: EOutOfMemory<br>"), std::string::npos);
}

TEST(FrontEndFallback, AnOutputThatCannotBeWrittenEndsTheRequestWithTheFailureLogged) {
    // Neither the answer nor the fallback can be written: the log says why.
    MemFile input;
    FdInput in(input.fd());
    FdOutput nowhere(-1);
    const LoggedRequest entry =
        serveRequest(CgiEnvironment({"REQUEST_METHOD=POST", "PATH_INFO=/echo", "SERVER_PROTOCOL=HTTP/1.1"}), in,
                     nowhere, echoModule);
    EXPECT_EQ(entry.what, "/echo");
    EXPECT_EQ(entry.outcome, "Error writing the response: Bad file descriptor");
    EXPECT_EQ(entry.bytes, 0u);
}

// The web server took part of a large spooled answer, then closed: the log
// counts the bytes it took, not what the program meant to send.
TEST(FrontEndRoad, TheLoggedByteCountIsWhatTheReaderTook) {
    std::signal(SIGPIPE, SIG_IGN);
    const auto largeAnswer = []() {
        auto module = std::make_unique<WebModule>();
        module->addAction(
            WebActionItem{"Large", Route(mtGet, "/large"), [](const WebRequest&, WebResponse& response, bool&) {
                              soap::Spool spool;
                              spool.buffer().assign(8 << 20, 'x');
                              spool.spillIfFull();
                              velmora::Body body;
                              body.parts.push_back(spool.release());
                              body.parts.emplace_back("</answer>");
                              response.setContent(std::move(body));
                          }});
        return module;
    };
    int pipe[2];
    ASSERT_EQ(::pipe2(pipe, O_CLOEXEC), 0);
    const long capacity = ::fcntl(pipe[1], F_GETPIPE_SZ);
    constexpr std::uint64_t kTaken = 3 << 20;
    std::thread reader([&] {
        char buffer[65536];
        for (std::uint64_t taken = 0; taken < kTaken;) {
            const ssize_t n = ::read(pipe[0], buffer, std::min<std::uint64_t>(sizeof buffer, kTaken - taken));
            if (n <= 0) break;
            taken += static_cast<std::uint64_t>(n);
        }
        ::close(pipe[0]);
    });
    MemFile input;
    FdInput in(input.fd());
    FdOutput out(pipe[1]);
    const LoggedRequest entry = serveRequest(
        CgiEnvironment({"REQUEST_METHOD=GET", "PATH_INFO=/large", "SERVER_PROTOCOL=HTTP/1.1"}), in, out, largeAnswer);
    reader.join();
    ::close(pipe[1]);
    EXPECT_NE(entry.outcome, "ok");
    // What it read, and at most what the pipe still held when it closed.
    EXPECT_GE(entry.bytes, kTaken);
    EXPECT_LE(entry.bytes, kTaken + static_cast<std::uint64_t>(capacity));
}
