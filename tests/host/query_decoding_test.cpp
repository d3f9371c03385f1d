// The query text: split at "&", each piece URL-decoded, a bad escape stopping
// the decoding with a message that names it.
#include "host/url_decode.h"

#include <gtest/gtest.h>

using host::decodeQuery;

namespace {

std::string decoded(std::string_view piece) {
    const publish::QueryText query = decodeQuery(piece);
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
    const publish::QueryText query = decodeQuery("intf=IVelmora&Types=a+b%2Cc&empty=&x=1%3D2&&wsdl");
    EXPECT_EQ(query.lines, (std::vector<std::string>{"intf=IVelmora", "Types=a b,c", "empty=", "x=1=2", "", "wsdl"}));
    EXPECT_EQ(query.value("INTF"), "IVelmora");
    EXPECT_EQ(query.value("x"), "1=2");
    EXPECT_TRUE(decodeQuery("").lines.empty());
}

TEST(QueryDecoding, ABadPieceKeepsThePiecesBeforeItAndStops) {
    const publish::QueryText query = decodeQuery("intf=IVelmora&types=%G1&x=1");
    EXPECT_EQ(query.lines, std::vector<std::string>{"intf=IVelmora"});
    EXPECT_EQ(query.error, "Invalid URL encoded character (%G1) at position 7");
}
