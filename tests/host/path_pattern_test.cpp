// Path patterns decide which component or action item gets a request.
#include "host/path_pattern.h"
#include "common/exception.h"

#include <gtest/gtest.h>

using host::PathPattern;

TEST(PathPattern, ConfiguredTextIsNormalizedToAnAbsolutePattern) {
    EXPECT_EQ(PathPattern("soap*").text(), "/soap*");
    EXPECT_EQ(PathPattern("/wsdl*").text(), "/wsdl*");
    EXPECT_EQ(PathPattern("\\soap\\x*").text(), "/soap/x*");
    EXPECT_EQ(PathPattern("").text(), "/");
    // Backslashes written in the configuration match forward slashes in paths.
    EXPECT_TRUE(PathPattern("a\\b").matches("/a/b"));
}

TEST(PathPattern, SoapPrefixMatchesWholePathInAnyLetterCase) {
    const PathPattern soap("soap*");
    for (const char* path : {"/soap", "/SOAP", "/Soap/anything", "/soap/IVelmora", "/SOAP/IVelmora", "/soapx"})
        EXPECT_TRUE(soap.matches(path)) << path;
    for (const char* path : {"/x/soap", "soap", "", "/", "/soa", "//soap"}) EXPECT_FALSE(soap.matches(path)) << path;
}

TEST(PathPattern, RootPatternMatchesOnlyTheRoot) {
    const PathPattern root("/");
    EXPECT_TRUE(root.matches("/"));
    EXPECT_FALSE(root.matches(""));
    EXPECT_FALSE(root.matches("/x"));
    EXPECT_FALSE(root.matches("//"));
}

TEST(PathPattern, WildcardsAndSets) {
    EXPECT_TRUE(PathPattern("/a?c").matches("/abc"));
    EXPECT_FALSE(PathPattern("/a?c").matches("/ac"));
    EXPECT_FALSE(PathPattern("/a?c").matches("/abbc"));

    const PathPattern range("/v[0-9]");
    EXPECT_TRUE(range.matches("/v0"));
    EXPECT_TRUE(range.matches("/v9"));
    EXPECT_FALSE(range.matches("/vx"));
    EXPECT_FALSE(range.matches("/v10"));

    // Sets ignore letter case like the rest of the pattern.
    const PathPattern letters("/[a-c]x");
    EXPECT_TRUE(letters.matches("/Bx"));
    EXPECT_FALSE(letters.matches("/dx"));

    const PathPattern negated("/[!a-c]x");
    EXPECT_TRUE(negated.matches("/dx"));
    EXPECT_FALSE(negated.matches("/bx"));
    EXPECT_FALSE(negated.matches("/Bx"));
    EXPECT_FALSE(negated.matches("/x")) << "a negated set still takes one character";

    const PathPattern listed("/[xyz-]");
    EXPECT_TRUE(listed.matches("/y"));
    EXPECT_TRUE(listed.matches("/-"));
    EXPECT_FALSE(listed.matches("/w"));
}

TEST(PathPattern, StarsBacktrack) {
    const PathPattern p("/*a*b");
    EXPECT_TRUE(p.matches("/aab"));
    EXPECT_TRUE(p.matches("/xaxxbxb"));
    EXPECT_FALSE(p.matches("/xbxa"));
    EXPECT_TRUE(PathPattern("/*").matches("/"));
    EXPECT_TRUE(PathPattern("/**x").matches("/yyx"));
    EXPECT_TRUE(PathPattern("/*.wsil").matches("/doc.WSIL"));
    EXPECT_FALSE(PathPattern("/*.wsil").matches("/doc.wsi"));
}

TEST(PathPattern, TooManyStarGroupsOrAnOpenSetAreRejected) {
    std::string thirty = "/";
    for (int i = 0; i < 30; ++i) thirty += "*x";
    EXPECT_NO_THROW(PathPattern{thirty});
    // A run of stars is a single group.
    std::string twentyNineAndARun = "/";
    for (int i = 0; i < 29; ++i) twentyNineAndARun += "*x";
    EXPECT_NO_THROW(PathPattern{twentyNineAndARun + "***x"});

    const std::string thirtyOne = thirty + "*";
    try {
        PathPattern{thirtyOne};
        FAIL() << "31 star groups accepted";
    } catch (const velmora::Exception& e) {
        EXPECT_EQ(std::string(e.what()), "'" + thirtyOne + "' is an invalid mask at (62)");
    }

    try {
        PathPattern{"ab[cd"};
        FAIL() << "open set accepted";
    } catch (const velmora::Exception& e) {
        EXPECT_STREQ(e.what(), "'/ab[cd' is an invalid mask at (4)");
    }
}
