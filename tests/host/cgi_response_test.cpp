// The response head's exact bytes and the writes that carry head and body.
#include "host_test_io.h"

#include "common/exception.h"
#include "host/cgi_response.h"

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
