// The response head's exact bytes and the writes that carry head and body.
#include "host_test_io.h"

#include "common/exception.h"
#include "common/limits.h"
#include "host/cgi_response.h"
#include "soap/spool.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

using host::FdOutput;
using host::WebResponse;
using hosttest::written;

TEST(ResponseHead, SoapAnswerLayout) {
    WebResponse response("HTTP/1.1");
    response.setContentType("text/xml");
    const std::string envelope(1234, 'e');
    response.setContent(envelope);
    EXPECT_EQ(written(response),
              "Status: 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 1234\r\nContent:\r\n\r\n" + envelope);
}

TEST(ResponseHead, EmptyContentHasNoLengthAndAnEmptyTypeNoTypeLine) {
    WebResponse response("HTTP/1.0");
    EXPECT_EQ(written(response), "Status: 200 OK\r\nContent-Type: text/html\r\nContent:\r\n\r\n");
    // The publisher's answer to a /wsdl path it does not know.
    response.setContentType("");
    EXPECT_EQ(written(response), "Status: 200 OK\r\nContent:\r\n\r\n");
}

TEST(ResponseHead, StatusCodesAndReasonTexts) {
    const std::pair<int, const char*> cases[] = {{500, "500 Internal Server Error"},
                                                 {403, "403 Forbidden"},
                                                 {412, "412 Unless True"},
                                                 {302, "302 Moved Temporarily"},
                                                 {406, "406 None Acceptable"},
                                                 // A code without a reason text goes out as "200 OK".
                                                 {299, "200 OK"},
                                                 {0, "200 OK"},
                                                 {-500, "200 OK"}};
    for (const auto& [code, statusLine] : cases) {
        WebResponse response("HTTP/1.1");
        response.setStatusCode(code);
        EXPECT_EQ(response.head(),
                  std::string("Status: ") + statusLine + "\r\nContent-Type: text/html\r\nContent:\r\n\r\n")
            << code;
    }
}

TEST(ResponseBody, WithoutProtocolVersionTheBodyGoesOutAloneInChunksOf8192Bytes) {
    // A packet socket keeps every write as one record, so the chunks can be seen.
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
    int sendBuffer = 1 << 20;
    ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);

    WebResponse response("");
    response.setContent(std::string(8192 * 2 + 100, 'x'));
    FdOutput output(fds[0]);
    response.writeTo(output);
    ::close(fds[0]);

    std::vector<std::size_t> records;
    char buffer[65536];
    ssize_t n;
    while ((n = ::recv(fds[1], buffer, sizeof buffer, 0)) > 0) records.push_back(static_cast<std::size_t>(n));
    ::close(fds[1]);
    EXPECT_EQ(records, (std::vector<std::size_t>{8192, 8192, 100}));
}

TEST(ResponseBody, WriteFailureIsReportedAsAnError) {
    WebResponse response("HTTP/1.1");
    response.setContent("x");
    try {
        FdOutput nowhere(-1);
        response.writeTo(nowhere);
        FAIL() << "a failed write went unnoticed";
    } catch (const velmora::Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error writing the response: ", 0), 0u) << e.what();
    }
}

namespace {

// An output that takes every byte into a string: spooled parts reach it
// through the pread() path all outputs share.
class StringOutput final : public host::ResponseOutput {
public:
    void write(std::string_view bytes) override { text += bytes; }
    std::uint64_t written() const noexcept override { return text.size(); }
    std::string text;
};

// Bytes that differ from their neighbours, so that a piece sent from the
// wrong offset cannot pass for the right one.
std::string pattern(std::size_t size, char first) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(first + static_cast<char>(i % 61));
    return bytes;
}

// A part spooled to its file (more than sendfile() takes in one call), with
// some bytes still in memory after it.
velmora::BodyPart spooled(const std::string& inFile, const std::string& inMemory) {
    soap::Spool spool(inFile);
    spool.spillIfFull();
    spool.buffer() += inMemory;
    return spool.release();
}

}  // namespace

// Each spooled part goes out from its own file's start, its memory after it,
// through sendfile() and through pread() alike.
TEST(ResponseBody, SpooledPartsGoOutWholeAndInOrder) {
    const std::string first = pattern(velmora::limits::kSpoolMemoryBytes + 3, 'A');
    const std::string second = pattern(velmora::limits::kSpoolMemoryBytes + velmora::limits::kSendFileBytes, 'a');
    velmora::Body body;
    body.parts.push_back(spooled(first, "<tail1>"));
    body.parts.emplace_back("<between>");
    body.parts.push_back(spooled(second, "<tail2>"));
    ASSERT_GT(body.parts[0].fileSize(), 0u);
    ASSERT_GT(body.parts[2].fileSize(), 0u);
    WebResponse response("");
    response.setContent(std::move(body));
    const std::string expected = first + "<tail1><between>" + second + "<tail2>";

    hosttest::MemFile file;
    FdOutput sent(file.fd());
    response.writeTo(sent);
    EXPECT_TRUE(file.contents() == expected) << "sendfile() sent other bytes";
    EXPECT_EQ(sent.written(), expected.size());

    StringOutput read;
    response.writeTo(read);
    EXPECT_TRUE(read.text == expected) << "pread() sent other bytes";
}
