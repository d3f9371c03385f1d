// Which interface a POST reaches: by SOAP action when there is one, else by
// the path's last segment; and the dispatcher's own fault when none matches.
#include "fake_velmora.h"
#include "parsed_xml.h"
#include "support/body_text.h"

#include <gtest/gtest.h>

using namespace soaptest;
using testsupport::bodyText;

namespace {

const std::string kStockCall =
    envelope("<BuscaEstoque><PCodEmp>1</PCodEmp><PCodProd>2</PCodProd><PGrade>3</PGrade></BuscaEstoque>");

std::string fixedFault(const std::string& escapedMessage) {
    return "<?xml version=\"1.0\" encoding='UTF-8'?> <SOAP-ENV:Envelope "
           "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" ><SOAP-ENV:Body> <SOAP-ENV:Fault> "
           "<faultcode>SOAP-ENV:Server</faultcode><faultstring>" +
           escapedMessage + "</faultstring></SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

}  // namespace

TEST(InterfaceChoice, SoapActionSelectsQuotedOrNotWhateverFollowsTheHash) {
    FakeVelmora fake;
    for (const char* action : {"\"urn:VelmoraIntf-IVelmora#BuscaEstoque\"", "urn:VelmoraIntf-IVelmora#BuscaEstoque",
                               "urn:VelmoraIntf-IVelmora", "\"urn:VelmoraIntf-IVelmora\"", "\"urn:VelmoraIntf-IVelmora",
                               "urn:VelmoraIntf-IVelmora#ImportaOperadores"}) {
        fake.state->lastOperation.clear();
        const soap::HttpAnswer a = fake.post(action, "/soap/anything", kStockCall);
        EXPECT_EQ(a.status, 200) << action;
        EXPECT_EQ(fake.state->lastOperation, "BuscaEstoque") << action;  // the body decides
    }
}

TEST(InterfaceChoice, SoapActionInOtherLetterCaseFailsEvenWithAGoodPath) {
    FakeVelmora fake;
    const soap::HttpAnswer a = fake.post("urn:velmoraintf-ivelmora", "/soap/IVelmora", kStockCall);
    EXPECT_EQ(a.status, 500);
    EXPECT_EQ(a.contentType, "text/xml");
    EXPECT_EQ(bodyText(a.body), fixedFault("No interface  registered for soap action 'urn:velmoraintf-ivelmora'"));
    EXPECT_EQ(fake.state->objectsCreated, 0);
}

TEST(InterfaceChoice, WithoutSoapActionThePathsLastSegmentDecides) {
    FakeVelmora fake;
    for (const char* action : {"", "\"\""}) {
        EXPECT_EQ(fake.post(action, "/soap/IVelmora", kStockCall).status, 200);
        EXPECT_EQ(fake.post(action, "/soap/ivelmora", kStockCall).status, 200);
        EXPECT_EQ(fake.post(action, "IVelmora", kStockCall).status, 200);
    }
    const soap::HttpAnswer bare = fake.post("", "/soap", kStockCall);
    EXPECT_EQ(bare.status, 500);
    EXPECT_EQ(bodyText(bare.body), fixedFault("No interface  registered for URL '/soap'"));
    const soap::HttpAnswer slash = fake.post("\"\"", "/soap/IVelmora/", kStockCall);
    EXPECT_EQ(slash.status, 500);
    EXPECT_EQ(bodyText(slash.body), fixedFault("No interface  registered for URL '/soap/IVelmora/'"));
}

TEST(InterfaceChoice, InterfaceWithoutImplementationIsTheDispatchersFault) {
    FakeVelmora fake;
    soap::InterfaceEntry other;
    other.name = "IOther";
    other.unit = "OtherIntf";
    fake.registry.registerInterface(other);
    const soap::HttpAnswer a = fake.post("", "/soap/IOther", kStockCall);
    EXPECT_EQ(a.status, 500);
    EXPECT_EQ(bodyText(a.body), fixedFault("No invokable class registered that implements interface IOther of "
                                           "(soap action/path) /soap/IOther"));
}

TEST(DispatcherFault, EscapesOnlyAmpersandAndLessThanAndStaysWellFormed) {
    FakeVelmora fake;
    const std::string action = "urn:a<b>&c\"d'\xC3\xA9";
    const soap::HttpAnswer a = fake.post(action, "/soap/IVelmora", kStockCall);
    EXPECT_EQ(a.status, 500);
    EXPECT_EQ(bodyText(a.body), fixedFault("No interface  registered for soap action 'urn:a&lt;b>&amp;c\"d'\xC3\xA9'"));
    const ParsedXml xml(bodyText(a.body));
    ASSERT_TRUE(xml.wellFormed());
    EXPECT_EQ(xml.text("//faultstring"), "No interface  registered for soap action '" + action + "'");

    // What XML cannot carry at all must not break the document either.
    const soap::HttpAnswer odd = fake.post("x]]>\x01\xFF", "/soap/IVelmora", kStockCall);
    const ParsedXml oddXml(bodyText(odd.body));
    ASSERT_TRUE(oddXml.wellFormed()) << bodyText(odd.body);
    EXPECT_EQ(oddXml.text("//faultstring"), "No interface  registered for soap action 'x]]>\xEF\xBF\xBD\xEF\xBF\xBD'");
}
