// Query fields: decoding of URL-encoded pieces and lookup by name.
#include "host/query_fields.h"
#include "common/exception.h"
#include "host/url_decode.h"

#include <gtest/gtest.h>

using host::decodeUrlText;
using host::QueryFields;

namespace {

std::string failureOf(std::string_view text) {
    try {
        QueryFields fields(text);
    } catch (const velmora::Exception& e) {
        return e.what();
    }
    return "(no failure)";
}

}  // namespace

TEST(UrlDecode, PlusPercentEscapesAndDoublePercent) {
    EXPECT_EQ(decodeUrlText("a+b"), "a b");
    EXPECT_EQ(decodeUrlText("%41%62c"), "Abc");
    EXPECT_EQ(decodeUrlText("%2b%2B"), "++") << "hex digits in either case; an encoded + stays +";
    EXPECT_EQ(decodeUrlText("100%%"), "100%");
    EXPECT_EQ(decodeUrlText("%%41"), "%41") << "%% is consumed before the next escape is looked at";
    EXPECT_EQ(decodeUrlText("%E9t%C3%A9"), "\xE9t\xC3\xA9") << "bytes are kept as they are";
    EXPECT_EQ(decodeUrlText("%00x"), std::string("\0x", 2));
    EXPECT_EQ(decodeUrlText(""), "");
}

TEST(UrlDecode, TruncatedEscapeNamesThePositionOfThePercent) {
    EXPECT_EQ(failureOf("abc%"), "Error decoding URL style (%XX) encoded string at position 4");
    EXPECT_EQ(failureOf("%4"), "Error decoding URL style (%XX) encoded string at position 1");
    // Positions count within the piece between "&" separators.
    EXPECT_EQ(failureOf("intf=IVelmora&x=%4"), "Error decoding URL style (%XX) encoded string at position 3");
}

TEST(UrlDecode, NonHexEscapeQuotesTheEscapeAsWritten) {
    EXPECT_EQ(failureOf("a=%zz"), "Invalid URL encoded character (%zz) at position 3");
    EXPECT_EQ(failureOf("a=%4g1"), "Invalid URL encoded character (%4g) at position 3");
    EXPECT_EQ(failureOf("ok=1&b=x%+1"), "Invalid URL encoded character (%+1) at position 4");
}

TEST(QueryFields, SplitDecodeAndLookUpIgnoringCase) {
    const QueryFields fields("intf=IVelmora&Types=a+b%2Cc&empty=&x=1%3D2");
    EXPECT_EQ(fields.value("intf"), "IVelmora");
    EXPECT_EQ(fields.value("INTF"), "IVelmora");
    EXPECT_EQ(fields.value("types"), "a b,c");
    EXPECT_EQ(fields.value("empty"), "");
    EXPECT_EQ(fields.value("missing"), "");
    // Decoding comes before the split into name and value.
    EXPECT_EQ(fields.value("x"), "1=2");
    EXPECT_EQ(fields.lines().size(), 4u);
}

TEST(QueryFields, FirstOfRepeatedNamesWinsAndBareWordsAreNoFields) {
    const QueryFields fields("wsdl&a=1&A=2&a%3Db=3");
    EXPECT_EQ(fields.value("a"), "1");
    EXPECT_EQ(fields.value("wsdl"), "");
    EXPECT_TRUE(QueryFields("").lines().empty());
}
