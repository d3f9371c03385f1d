// The FastCGI process against a web server's connection that stalls: a
// request whose parameters never end, a body that trickles in, a connection
// kept open and left idle. The process serves one connection at a time, so
// each of them must cost it a few seconds at most; then the next request is
// answered. None of these requests needs a database.
#include "support/fastcgi_process.h"

#include "common/limits.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr unsigned char kBeginRequest = 1;
constexpr unsigned char kParams = 4;
constexpr unsigned char kStdin = 5;
constexpr unsigned char kStdout = 6;
constexpr unsigned char kEndRequest = 3;

// The longest a stalled connection may hold the process, with room for a
// loaded machine.
constexpr auto kStallBound = std::chrono::seconds(velmora::limits::kWebServerReadSeconds) + 4s;

const std::vector<std::string> kWsdlRequest = {"REQUEST_METHOD=GET",       "PATH_INFO=/wsdl/IVelmora",
                                               "SCRIPT_NAME=/velmora.cgi", "SERVER_PROTOCOL=HTTP/1.1",
                                               "SERVER_NAME=127.0.0.1",    "SERVER_PORT=80"};

class Socket {
public:
    // Reads give up after 20 s: a process that never answers fails the
    // test instead of hanging it.
    explicit Socket(int fd) : fd_(fd) {
        const timeval patience{20, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    }
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool send(const std::string& bytes) const {
        return fd_ >= 0 && ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // Reads until an END_REQUEST record has come; the STDOUT content read.
    std::string answer() const {
        std::string in, out;
        for (;;) {
            while (in.size() >= 8) {
                const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
                const std::size_t length = byte(4) << 8 | byte(5);
                const std::size_t whole = 8 + length + byte(6);
                if (in.size() < whole) break;
                if (byte(1) == kStdout) out.append(in, 8, length);
                if (byte(1) == kEndRequest) return out;
                in.erase(0, whole);
            }
            char buffer[4096];
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) return out + "(connection ended before END_REQUEST)";
            in.append(buffer, static_cast<std::size_t>(n));
        }
    }

private:
    int fd_;
};

std::string wholeRequest(bool keepConnection) {
    return testsupport::fastCgiRecord(kBeginRequest, testsupport::fastCgiBeginRequest(keepConnection)) +
           testsupport::fastCgiRecord(kParams, testsupport::fastCgiParams(kWsdlRequest)) +
           testsupport::fastCgiRecord(kParams, {}) + testsupport::fastCgiRecord(kStdin, {});
}

class FastCgiConnections : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "velmora-fastcgi-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
        process_.emplace(testsupport::velmoraCgiPath(), std::vector<std::string>{}, directory_);
    }
    void TearDown() override {
        process_.reset();
        ::rmdir(directory_.c_str());
    }

    // A request through cgi-fcgi, as a web server behaving well sends it:
    // answered with the WSDL, and how long it took.
    ::testing::AssertionResult answeredWithin(Clock::duration bound) const {
        const auto started = Clock::now();
        const testsupport::CgiRun run = process_->request(kWsdlRequest, {}, 20000);
        const auto took = Clock::now() - started;
        if (run.output.find("name=\"IVelmoraservice\"") == std::string::npos)
            return ::testing::AssertionFailure() << "no WSDL: " << run.output.substr(0, 300);
        if (took > bound)
            return ::testing::AssertionFailure()
                   << "answered after " << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
        return ::testing::AssertionSuccess();
    }

    std::string directory_;
    std::optional<testsupport::FastCgiProcess> process_;
};

TEST_F(FastCgiConnections, ParametersThatNeverEndHoldTheProcessAFewSecondsAtMost) {
    const Socket stalled(process_->connect());
    const std::string params = testsupport::fastCgiParams(kWsdlRequest);
    ASSERT_TRUE(stalled.send(testsupport::fastCgiRecord(kBeginRequest, testsupport::fastCgiBeginRequest(false)) +
                             testsupport::fastCgiRecord(kParams, params).substr(0, 20)));
    EXPECT_TRUE(answeredWithin(kStallBound));
    EXPECT_TRUE(process_->running());
}

TEST_F(FastCgiConnections, ABodyThatTricklesInHoldsTheProcessAFewSecondsAtMost) {
    std::vector<std::string> env = kWsdlRequest;
    env[0] = "REQUEST_METHOD=POST";
    env.push_back("CONTENT_LENGTH=1000");
    const Socket trickling(process_->connect());
    ASSERT_TRUE(trickling.send(testsupport::fastCgiRecord(kBeginRequest, testsupport::fastCgiBeginRequest(false)) +
                               testsupport::fastCgiRecord(kParams, testsupport::fastCgiParams(env)) +
                               testsupport::fastCgiRecord(kParams, {})));
    // A byte of body every 200 ms, until the test is over.
    std::atomic<bool> over = false;
    std::thread trickle([&] {
        for (int i = 0; i < 1000 && !over; ++i) {
            if (!trickling.send(testsupport::fastCgiRecord(kStdin, "x"))) return;
            std::this_thread::sleep_for(200ms);
        }
    });
    EXPECT_TRUE(answeredWithin(kStallBound));
    over = true;
    trickle.join();
}

TEST_F(FastCgiConnections, AKeptConnectionServesItsRequestsAndLeftIdleHoldsNothingUp) {
    const Socket kept(process_->connect());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(kept.send(wholeRequest(true)));
        EXPECT_NE(kept.answer().find("name=\"IVelmoraservice\""), std::string::npos) << "request " << i;
    }
    // Left open and idle: another connection is served at once.
    EXPECT_TRUE(answeredWithin(3s));
}

}  // namespace
