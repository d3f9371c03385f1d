// Compressed answers: one gzip member that decodes to exactly the bytes of
// the answer as written, whatever its parts, and the answers left as they
// are where compressing is not worth it.
#include "fake_velmora.h"

#include "common/exception.h"
#include "common/limits.h"
#include "soap/spool.h"
#include "support/body_text.h"

#include <gtest/gtest.h>

using namespace soaptest;
using testsupport::bodyText;
using testsupport::gunzip;

namespace {

const std::string kImportCall = envelope(
    "<NS1:ImportaOperadores xmlns:NS1=\"urn:VelmoraIntf-IVelmora\">"
    "<PCodEmpresa xsi:type=\"xsd:string\">1</PCodEmpresa><PEcf xsi:type=\"xsd:string\">2</PEcf>"
    "</NS1:ImportaOperadores>");
const std::string kStockCall =
    envelope("<BuscaEstoque><PCodEmp>1</PCodEmp><PCodProd>77</PCodProd><PGrade>U</PGrade></BuscaEstoque>");

// The same call answered as written and as gzip.
struct BothCodings {
    soap::HttpAnswer identity, gzip;
};

BothCodings answered(const std::function<void(records::RecordSink&)>& records, const std::string& call,
                     soap::Coding coding = soap::Coding::Gzip) {
    FakeVelmora plain, packed;
    plain.state->records = packed.state->records = records;
    packed.coding = coding;
    return {plain.post(call), packed.post(call)};
}

}  // namespace

// Enough records for the item list and the records to be deflated in
// several pieces each: the member's stretches, their CRCs combined and its
// length, must give back the very bytes.
TEST(GzipAnswer, ALargeImportIsOneMemberOfTheSameBytes) {
    const BothCodings a = answered([](records::RecordSink& sink) { operators(20000).replay(sink); }, kImportCall);
    const std::string text = bodyText(a.identity.body);
    ASSERT_GT(text.size(), 3 * velmora::limits::kDeflateInputBytes);
    EXPECT_EQ(a.gzip.body.contentEncoding, "gzip");
    const std::string packed = bodyText(a.gzip.body);
    EXPECT_EQ(packed.size(), a.gzip.body.size());
    EXPECT_LT(packed.size() * 10, text.size());
    EXPECT_EQ(gunzip(packed), text);
}

// A read started again after a deflated piece: nothing of the first read
// (its compressed bytes, its CRC, its length) reaches the answer.
TEST(GzipAnswer, AReadStartedAgainLeavesNothingOfTheFirst) {
    const BothCodings a = answered(
        [](records::RecordSink& sink) {
            operators(5000).replay(sink);
            sink.beginRecord();
            operators(3).replay(sink);
        },
        kImportCall);
    EXPECT_EQ(gunzip(bodyText(a.gzip.body)), bodyText(a.identity.body));
}

TEST(GzipAnswer, FaultsAreCompressedLikeAnswers) {
    const std::string longText(3000, 'x');
    const BothCodings failed = answered(
        [&](records::RecordSink& sink) {
            operators(5000).replay(sink);
            throw velmora::Exception(longText);
        },
        kImportCall);
    EXPECT_EQ(failed.gzip.body.contentEncoding, "gzip");
    EXPECT_EQ(gunzip(bodyText(failed.gzip.body)), bodyText(failed.identity.body));

    // The dispatcher's own fault, status 500.
    FakeVelmora plain, packed;
    packed.coding = soap::Coding::Gzip;
    const std::string path = "/soap/" + longText;
    const soap::HttpAnswer a = plain.post("", path, kStockCall), b = packed.post("", path, kStockCall);
    EXPECT_EQ(b.status, 500);
    EXPECT_EQ(b.body.contentEncoding, "gzip");
    EXPECT_EQ(gunzip(bodyText(b.body)), bodyText(a.body));
}

// An answer under kGzipMinBytes goes out as written, unless the client
// refused the identity; then it is a member like any other.
TEST(GzipAnswer, SmallAnswersStayAsWrittenUnlessIdentityIsRefused) {
    const BothCodings small = answered(nullptr, kStockCall);
    ASSERT_LT(bodyText(small.identity.body).size(), velmora::limits::kGzipMinBytes);
    EXPECT_EQ(small.gzip.body.contentEncoding, "");
    EXPECT_EQ(bodyText(small.gzip.body), bodyText(small.identity.body));

    const BothCodings refused = answered(nullptr, kStockCall, soap::Coding::GzipAlways);
    EXPECT_EQ(refused.gzip.body.contentEncoding, "gzip");
    EXPECT_EQ(gunzip(bodyText(refused.gzip.body)), bodyText(refused.identity.body));

    // An empty import under the threshold, its three parts left as written.
    const BothCodings empty = answered(nullptr, kImportCall);
    EXPECT_EQ(empty.gzip.body.contentEncoding, "");
    EXPECT_EQ(bodyText(empty.gzip.body), bodyText(empty.identity.body));
}
