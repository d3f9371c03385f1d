// Which coding a request's Accept-Encoding lets an answer take.
#include "host/content_coding.h"

#include "common/limits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using host::acceptedCoding;
using soap::Coding;

TEST(AcceptEncoding, GzipByNameByItsOldNameOrByStarWithAWeightAboveZero) {
    for (const char* field : {"gzip", "GZip", "x-gzip", "deflate, gzip, br, zstd", "gzip;q=0.001", "gzip; Q=1.000", "*",
                              "br, *;q=0.5", "gzip ;q=0.5 , identity", ",, gzip ,", "\tgzip\t;\tq=1"})
        EXPECT_EQ(acceptedCoding(field), Coding::Gzip) << field;
    for (const char* field : {"", "identity", "deflate, br", "gzip;q=0", "gzip;q=0.000", "x-gzip;q=0, *", "*;q=0",
                              "gzip;q=0, gzip", "*, gzip;q=0", "gzipx", "gzi"})
        EXPECT_EQ(acceptedCoding(field), Coding::Identity) << field;
}

// With the identity refused, a small answer is compressed too.
TEST(AcceptEncoding, IdentityRefusedOutrightOrThroughStar) {
    for (const char* field : {"gzip, identity;q=0", "*;q=0, gzip", "gzip, *;q=0", "IDENTITY;q=0.0, *;q=0.3"})
        EXPECT_EQ(acceptedCoding(field), Coding::GzipAlways) << field;
    EXPECT_EQ(acceptedCoding("gzip, *;q=0, identity"), Coding::Gzip);
    // Nothing acceptable at all: the answer goes out as written.
    EXPECT_EQ(acceptedCoding("identity;q=0"), Coding::Identity);
    EXPECT_EQ(acceptedCoding("*;q=0"), Coding::Identity);
}

// Whatever the rules do not allow makes the whole field count for nothing.
TEST(AcceptEncoding, MalformedOrOverlongFieldsAreReadAsNone) {
    for (const char* field :
         {"gzip;q=",      "gzip;q=1.5",   "gzip;q=2",  "gzip;q=0.0001",  "gzip;q=1.001", "gzip;q=.5",    "gzip;q=0.5x",
          "gzip;level=9", "gzip;q=1;q=1", "gzip q=1",  "gzip;;q=1",      ";q=1, gzip",   "gzip, \"br\"", "gzip/1",
          "gzip\r\n",     "gzip;q=-1",    "gzip,\x01", "gzip;q=0.5 0.5", "gzip;",        "gzip\xc3\xa9"})
        EXPECT_EQ(acceptedCoding(field), Coding::Identity) << field;

    std::string longest = "gzip";
    longest.resize(velmora::limits::kMaxAcceptEncodingBytes, ' ');
    EXPECT_EQ(acceptedCoding(longest), Coding::Gzip);
    EXPECT_EQ(acceptedCoding(longest + " "), Coding::Identity);
}

}  // namespace
