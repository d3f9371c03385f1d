// The response head bytes and the single send.
#include "host_test_io.h"

#include "common/exception.h"

#include "host/web_response.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

using host::StringContentStream;
using host::WebResponse;
using hosttest::MemFile;

TEST(ResponseHead, SoapAnswerLayout) {
    MemFile out;
    WebResponse response("HTTP/1.1", out.fd());
    response.setContentType("text/xml");
    const std::string envelope(1234, 'e');
    response.setContentStream(std::make_unique<StringContentStream>(envelope));
    response.send();
    EXPECT_EQ(out.contents(),
              "Status: 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 1234\r\nContent:\r\n\r\n" + envelope);
    EXPECT_TRUE(response.sent());
}

TEST(ResponseHead, DefaultsAndEmptyContentHaveNoLength) {
    MemFile out;
    WebResponse response("HTTP/1.0", out.fd());
    response.send();
    EXPECT_EQ(out.contents(), "Status: 200 OK\r\nContent-Type: text/html\r\nContent:\r\n\r\n");
}

TEST(ResponseHead, StatusCodesAndReasonTexts) {
    WebResponse response("HTTP/1.1", -1);
    response.setStatusCode(500);
    EXPECT_EQ(response.head().substr(0, 35), "Status: 500 Internal Server Error\r\n");
    response.setStatusCode(412);
    EXPECT_EQ(response.reasonText(), "Unless True");
    response.setStatusCode(302);
    EXPECT_EQ(response.reasonText(), "Moved Temporarily");
    response.setStatusCode(406);
    EXPECT_EQ(response.reasonText(), "None Acceptable");

    // A code without a reason text falls back to "200 OK" on the status line.
    response.setStatusCode(299);
    EXPECT_EQ(response.reasonText(), "");
    EXPECT_EQ(response.head().substr(0, 16), "Status: 200 OK\r\n");

    // Setting the same code again keeps a reason text set by hand.
    response.setStatusCode(404);
    response.setReasonText("Nowhere");
    response.setStatusCode(404);
    EXPECT_EQ(response.head().substr(0, 21), "Status: 404 Nowhere\r\n");
    response.setStatusCode(0);
    response.setReasonText("Odd");
    EXPECT_EQ(response.head().substr(0, 16), "Status: 200 OK\r\n") << "a code of 0 is never written";
}

TEST(ResponseHead, OptionalFieldsInTheirFixedOrder) {
    WebResponse response("HTTP/1.1", -1);
    response.contentEncoding = "gzip";
    response.contentVersion = "MIME-Version: 1.0";
    response.customHeaders = {{"X-One", "1"}, {"X-Empty", ""}, {"X-Two", "2"}};
    response.wwwAuthenticate = "Basic";
    response.title = "T";
    response.lastModified = "Mon, 01 Jan 2024 00:00:00 GMT";
    response.expires = "Tue, 02 Jan 2024 00:00:00 GMT";
    response.derivedFrom = "d";
    response.cookies = {"a=1", "b=2"};
    response.allow = "GET, POST";
    response.location = "http://x/";
    response.setContentType("");
    response.setContent("body");
    EXPECT_EQ(response.head(),
              "Status: 200 OK\r\n"
              "Location: http://x/\r\n"
              "Allow: GET, POST\r\n"
              "Set-Cookie: a=1\r\n"
              "Set-Cookie: b=2\r\n"
              "Derived-From: d\r\n"
              "Expires: Tue, 02 Jan 2024 00:00:00 GMT\r\n"
              "Last-Modified: Mon, 01 Jan 2024 00:00:00 GMT\r\n"
              "Title: T\r\n"
              "WWW-Authenticate: Basic\r\n"
              "X-One: 1\r\n"
              "X-Two: 2\r\n"
              "Content-Version: MIME-Version: 1.0\r\n"
              "Content-Encoding: gzip\r\n"
              "Content-Length: 4\r\n"
              "Content:\r\n\r\n");
}

TEST(ResponseContent, StreamReplacesTextAndFixesTheLength) {
    MemFile out;
    WebResponse response("HTTP/1.1", out.fd());
    response.setContent("text body");
    response.setContentStream(std::make_unique<StringContentStream>("first"));
    response.setContentStream(std::make_unique<StringContentStream>("stream!"));
    EXPECT_EQ(response.contentLength(), 7u);
    response.setContent("later text");
    EXPECT_EQ(response.contentLength(), 7u) << "text set while a stream is set does not change the length";
    response.send();
    EXPECT_EQ(out.contents(),
              "Status: 200 OK\r\nContent-Type: text/html\r\nContent-Length: 7\r\nContent:\r\n\r\nstream!");
}

TEST(ResponseContent, EmptyStreamStillAnnouncesItsLength) {
    WebResponse response("HTTP/1.1", -1);
    response.setContentStream(std::make_unique<StringContentStream>(""));
    EXPECT_NE(response.head().find("Content-Length: 0\r\n"), std::string::npos);
}

TEST(ResponseContent, StreamGoesOutInChunksOf8192Bytes) {
    // A packet socket keeps every write as one record, so the chunks can be seen.
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
    int sendBuffer = 1 << 20;
    ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);

    std::string body(8192 * 2 + 100, 'x');
    WebResponse response("", fds[0]);  // no head: only the body's writes
    response.setContentStream(std::make_unique<StringContentStream>(body));
    response.send();
    ::close(fds[0]);

    std::vector<std::size_t> records;
    char buffer[65536];
    ssize_t n;
    while ((n = ::recv(fds[1], buffer, sizeof buffer, 0)) > 0) records.push_back(static_cast<std::size_t>(n));
    ::close(fds[1]);
    EXPECT_EQ(records, (std::vector<std::size_t>{8192, 8192, 100}));
}

TEST(ResponseSend, WrittenAtMostOnce) {
    MemFile out;
    WebResponse response("HTTP/1.1", out.fd());
    response.setContent("x");
    response.send();
    response.setContent("y");
    response.send();
    EXPECT_EQ(out.contents(), "Status: 200 OK\r\nContent-Type: text/html\r\nContent-Length: 1\r\nContent:\r\n\r\nx");
}

TEST(ResponseSend, WriteFailureIsReportedAsAnError) {
    WebResponse response("HTTP/1.1", -1);
    response.setContent("x");
    EXPECT_THROW(response.send(), velmora::Exception);
}
