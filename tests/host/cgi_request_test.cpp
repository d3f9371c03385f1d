// Building the request: environment lookup rules, items, the body and the
// query text.
#include "host_test_io.h"

#include "common/exception.h"
#include "host/cgi_request.h"

#include <gtest/gtest.h>

#include <fcntl.h>

using host::CgiEnvironment;
using hosttest::makeRequest;
using hosttest::MemFile;

TEST(CgiEnvironmentLookup, NamesMatchWithoutRegardToCaseExactSpellingFirst) {
    const CgiEnvironment env({"path_info=/lower", "PATH_INFO=/exact", "Query_String=a=1", "NOVALUE"});
    EXPECT_EQ(env.get("PATH_INFO"), "/exact");
    EXPECT_EQ(env.get("Path_Info"), "/lower") << "first entry equal apart from case";
    EXPECT_EQ(env.get("QUERY_STRING"), "a=1") << "the value is cut at the first =, not later ones";
    EXPECT_EQ(env.get("NOVALUE"), "");
    EXPECT_EQ(env.get("ABSENT"), "");
}

TEST(CgiEnvironmentLookup, AbsentOrEmptyTogglesTheHttpPrefix) {
    const CgiEnvironment env({"HTTP_SOAPACTION=\"urn:x#Op\"", "CONTENT_TYPE=text/xml", "EMPTY=", "HTTP_EMPTY=fallback",
                              "HTTP_BOTH=header", "BOTH=plain"});
    EXPECT_EQ(env.lookup("SOAPAction"), "\"urn:x#Op\"") << "prefix added, case ignored";
    EXPECT_EQ(env.lookup("HTTP_CONTENT_TYPE"), "text/xml") << "prefix removed";
    EXPECT_EQ(env.lookup("http_content_type"), "text/xml");
    EXPECT_EQ(env.lookup("EMPTY"), "fallback") << "an empty variable counts as absent";
    EXPECT_EQ(env.lookup("BOTH"), "plain") << "the name as given wins when set";
    EXPECT_EQ(env.lookup("HTTP_BOTH"), "header");
    EXPECT_EQ(env.lookup("NOWHERE"), "");
    // Only one toggle: HTTP_HTTP_X is never tried for HTTP_X.
    EXPECT_EQ(CgiEnvironment({"HTTP_HTTP_X=deep"}).lookup("HTTP_X"), "");
}

TEST(WebRequestItems, ReadFromTheEnvironment) {
    const auto request = makeRequest({"REQUEST_METHOD=post", "SERVER_PROTOCOL=HTTP/1.1", "QUERY_STRING=intf=IVelmora",
                                      "PATH_INFO=/soap/IVelmora", "HTTP_HOST=pdv.local:8080", "SERVER_PORT=8080",
                                      "SCRIPT_NAME=/cgi-bin/velmora.cgi", "CONTENT_TYPE=text/xml"});
    EXPECT_EQ(request.method(), "post");
    EXPECT_EQ(request.protocolVersion(), "HTTP/1.1");
    EXPECT_EQ(request.pathInfo(), "/soap/IVelmora");
    EXPECT_EQ(request.host(), "pdv.local:8080");
    EXPECT_EQ(request.serverPort(), 8080);
    EXPECT_EQ(request.scriptName(), "/cgi-bin/velmora.cgi");
    EXPECT_EQ(request.contentType(), "text/xml");
    EXPECT_EQ(request.query(), "intf=IVelmora");
    EXPECT_EQ(request.contentLength(), -1);
    EXPECT_EQ(request.content(), "");
}

TEST(WebRequestItems, IntegerItemsAreMinusOneUnlessDecimal) {
    EXPECT_EQ(host::integerItem("80"), 80);
    EXPECT_EQ(host::integerItem("+7"), 7);
    EXPECT_EQ(host::integerItem("-3"), -3);
    for (const char* bad : {"", "8o", " 80", "80 ", "0x10", "99999999999999999999", "+"})
        EXPECT_EQ(host::integerItem(bad), -1) << '"' << bad << '"';
    EXPECT_EQ(makeRequest({"SERVER_PORT=http"}).serverPort(), -1);
}

TEST(WebRequestBody, LengthComesFromHttpContentLengthBeforeContentLength) {
    const std::string body = "0123456789";
    EXPECT_EQ(makeRequest({"CONTENT_LENGTH=10"}, body).content(), body);
    EXPECT_EQ(makeRequest({"HTTP_CONTENT_LENGTH=4", "CONTENT_LENGTH=10"}, body).content(), "0123");
    EXPECT_EQ(makeRequest({"HTTP_CONTENT_LENGTH=", "CONTENT_LENGTH=6"}, body).content(), "012345");
    // A non-numeric header does not fall back: it gives -1, so no body.
    const auto garbled = makeRequest({"HTTP_CONTENT_LENGTH=ten", "CONTENT_LENGTH=10"}, body);
    EXPECT_EQ(garbled.contentLength(), -1);
    EXPECT_EQ(garbled.content(), "");
}

TEST(WebRequestBody, NoLengthZeroOrNegativeMeansNoBodyIsRead) {
    for (const char* length : {"CONTENT_LENGTH=0", "CONTENT_LENGTH=-5", "OTHER=1"}) {
        MemFile input("unread body");
        host::FdInput in(input.fd());
        const host::WebRequest request(CgiEnvironment({length}), in);
        EXPECT_EQ(request.content(), "") << length;
        EXPECT_EQ(input.position(), 0) << length;
    }
}

TEST(WebRequestBody, ShorterBodyIsWhatArrivedAndNothingPastTheLengthIsRead) {
    EXPECT_EQ(makeRequest({"CONTENT_LENGTH=100"}, "0123456789").content(), "0123456789");

    MemFile input("0123456789tail");
    host::FdInput in(input.fd());
    const host::WebRequest request(CgiEnvironment({"CONTENT_LENGTH=10"}), in);
    EXPECT_EQ(request.content(), "0123456789");
    EXPECT_EQ(input.position(), 10);
}

TEST(WebRequestBody, ABodyUpToTheLimitArrivesWholeALargerOneIsLeftUnread) {
    std::string body(velmora::limits::kMaxRequestBodyBytes, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 131 % 251);
    const auto whole = makeRequest({"CONTENT_LENGTH=" + std::to_string(body.size())}, body);
    EXPECT_EQ(whole.content(), body);
    EXPECT_FALSE(whole.bodyTooLarge());

    body.push_back('!');
    MemFile input(body);
    host::FdInput in(input.fd());
    const host::WebRequest refused(CgiEnvironment({"CONTENT_LENGTH=" + std::to_string(body.size())}), in);
    EXPECT_TRUE(refused.bodyTooLarge());
    EXPECT_EQ(refused.content(), "");
    EXPECT_EQ(input.position(), 0) << "a refused body was read";
}

TEST(WebRequestBody, AHugeAnnouncementIsRefusedWhateverArrives) {
    const auto request = makeRequest({"CONTENT_LENGTH=1073741824"}, "tiny body!");
    EXPECT_TRUE(request.bodyTooLarge());
    EXPECT_EQ(request.content(), "");
}

TEST(WebRequestBody, AFailingReadIsAnErrorNotTheEndOfTheBody) {
    // Reading a directory fails (EISDIR) where a pipe would give its bytes.
    const int directory = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(directory, 0);
    try {
        host::FdInput in(directory);
        host::WebRequest request(CgiEnvironment({"CONTENT_LENGTH=10"}), in);
        ADD_FAILURE() << "a failed read gave the body \"" << request.content() << "\"";
    } catch (const velmora::Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error reading the request: ", 0), 0u) << e.what();
    }
    ::close(directory);
}

using host::decodeQuery;

namespace {

std::string decoded(std::string_view piece) {
    const velmora::QueryText query = decodeQuery(piece);
    EXPECT_EQ(query.error, "") << piece;
    return query.lines.size() == 1 ? query.lines.front() : "(" + std::to_string(query.lines.size()) + " lines)";
}

std::string failureOf(std::string_view text) {
    const std::string error = decodeQuery(text).error;
    return error.empty() ? "(no failure)" : error;
}

}  // namespace

TEST(QueryDecoding, PlusPercentEscapesAndDoublePercent) {
    EXPECT_EQ(decoded("a+b"), "a b");
    EXPECT_EQ(decoded("%41%62c"), "Abc");
    EXPECT_EQ(decoded("%2b%2B"), "++") << "hex digits in either case; an encoded + stays +";
    EXPECT_EQ(decoded("100%%"), "100%");
    EXPECT_EQ(decoded("%%41"), "%41") << "%% is consumed before the next escape is looked at";
    EXPECT_EQ(decoded("%E9t%C3%A9"), "\xE9t\xC3\xA9") << "bytes are kept as they are";
    EXPECT_EQ(decoded("%00x"), std::string("\0x", 2));
}

TEST(QueryDecoding, TruncatedEscapeNamesThePositionOfThePercent) {
    EXPECT_EQ(failureOf("abc%"), "Error decoding URL style (%XX) encoded string at position 4");
    EXPECT_EQ(failureOf("%4"), "Error decoding URL style (%XX) encoded string at position 1");
    // Positions count within the piece between "&" separators.
    EXPECT_EQ(failureOf("intf=IVelmora&x=%4"), "Error decoding URL style (%XX) encoded string at position 3");
}

TEST(QueryDecoding, NonHexEscapeQuotesTheEscapeAsWritten) {
    EXPECT_EQ(failureOf("a=%zz"), "Invalid URL encoded character (%zz) at position 3");
    EXPECT_EQ(failureOf("a=%4g1"), "Invalid URL encoded character (%4g) at position 3");
    EXPECT_EQ(failureOf("ok=1&b=x%+1"), "Invalid URL encoded character (%+1) at position 4");
}

TEST(QueryDecoding, SplitAtAmpersandsAndDecodedBeforeNameAndValueAreTold) {
    const velmora::QueryText query = decodeQuery("intf=IVelmora&Types=a+b%2Cc&empty=&x=1%3D2&&wsdl");
    EXPECT_EQ(query.lines, (std::vector<std::string>{"intf=IVelmora", "Types=a b,c", "empty=", "x=1=2", "", "wsdl"}));
    EXPECT_EQ(query.value("INTF"), "IVelmora");
    EXPECT_EQ(query.value("x"), "1=2");
    EXPECT_TRUE(decodeQuery("").lines.empty());
}

TEST(QueryDecoding, ABadPieceKeepsThePiecesBeforeItAndStops) {
    const velmora::QueryText query = decodeQuery("intf=IVelmora&types=%G1&x=1");
    EXPECT_EQ(query.lines, std::vector<std::string>{"intf=IVelmora"});
    EXPECT_EQ(query.error, "Invalid URL encoded character (%G1) at position 7");
}
