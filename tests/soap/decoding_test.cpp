// How a request envelope becomes a call: which operation, which parameter
// texts, and which faults refuse the envelope before anything is called.
#include "common/limits.h"
#include "fake_velmora.h"
#include "parsed_xml.h"
#include "support/body_text.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <functional>

using namespace soaptest;
using testsupport::bodyText;

namespace {

const std::string kEnvNs = "http://schemas.xmlsoap.org/soap/envelope/";
const std::string kEncNs = "http://schemas.xmlsoap.org/soap/encoding/";

struct Outcome {
    soap::HttpAnswer answer;
    std::string fault;  // faultstring; empty for a response
};

Outcome post(FakeVelmora& fake, const std::string& body) {
    Outcome o{fake.post(body), {}};
    const ParsedXml xml(bodyText(o.answer.body));
    EXPECT_TRUE(xml.wellFormed()) << bodyText(o.answer.body);
    EXPECT_EQ(o.answer.status, 200);
    EXPECT_EQ(o.answer.contentType, "text/xml");
    o.fault = xml.text("//env:Fault/faultstring");
    return o;
}

// Runs `refused` in a child process that SIGALRM ends after `seconds`: a
// parser that expands what it should refuse fails the test in seconds, not
// after minutes of expansion.
::testing::AssertionResult refusedWithin(unsigned seconds, const std::function<bool()>& refused) {
    const pid_t child = ::fork();
    if (child < 0) return ::testing::AssertionFailure() << "fork failed";
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(refused() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return ::testing::AssertionFailure() << "still not answered after " << seconds << " s";
    if (WEXITSTATUS(status) != 0) return ::testing::AssertionFailure() << "answered, but not refused";
    return ::testing::AssertionSuccess();
}

std::string rawEnvelope(const std::string& children, const std::string& envAttrs = "") {
    return "<e:Envelope xmlns:e=\"" + kEnvNs + "\"" + envAttrs + ">" + children + "</e:Envelope>";
}

}  // namespace

TEST(Decoding, ParametersMatchByNameInAnyOrderCaseOrNamespace) {
    FakeVelmora fake;
    Outcome o = post(fake, envelope("<ns:importaoperadores xmlns:ns=\"urn:whatever\">"
                                    "<Foo>ignored</Foo><x:PEcf xmlns:x=\"urn:x\">ECF 01</x:PEcf>"
                                    "<pcodempresa xsi:type=\"xsd:int\"> 7 </pcodempresa>"
                                    "<PEcf>second occurrence</PEcf></ns:importaoperadores>"));
    EXPECT_EQ(o.fault, "");
    EXPECT_EQ(fake.state->lastOperation, "ImportaOperadores");
    EXPECT_EQ(fake.state->lastParams, (soap::Params{" 7 ", "ECF 01"}));

    post(fake, envelope("<BuscaEstoque><PGrade>G</PGrade><PCodEmp>1</PCodEmp></BuscaEstoque>"));
    EXPECT_EQ(fake.state->lastParams, (soap::Params{"1", "", "G"}));  // a missing one is empty
}

TEST(Decoding, ParameterTextIsCharacterDataOrTheXmlOfItsChildren) {
    FakeVelmora fake;
    post(fake, envelope("<BuscaEstoque><PCodEmp>a &amp; b &lt; &#233;&#13;</PCodEmp>"
                        "<PCodProd><![CDATA[<raw> & ]]></PCodProd>"
                        "<PGrade>   </PGrade></BuscaEstoque>"));
    EXPECT_EQ(fake.state->lastParams, (soap::Params{"a & b < \xC3\xA9\r", "<raw> & ", ""}));

    post(fake, envelope("<BuscaEstoque><PCodEmp>x<b>y</b></PCodEmp><PCodProd xsi:nil=\"true\"/>"
                        "<PGrade>\n  <i/>\n</PGrade></BuscaEstoque>"));
    EXPECT_EQ(fake.state->lastParams, (soap::Params{"x<b>y</b>", "", "<i/>"}));
}

TEST(Decoding, HrefTakesTheValueFromTheReferencedElementAnywhere) {
    FakeVelmora fake;
    const std::string body = "<e:Envelope xmlns:e=\"" + kEnvNs +
                             "\"><e:Header><v id=\"P2\">from the header</v></e:Header>"
                             "<e:Body><BuscaEstoque><PCodEmp href=\"#p1\">own text</PCodEmp>"
                             "<PCodProd href=\"#p2\"/><PGrade href=\"#nowhere\">kept</PGrade></BuscaEstoque>"
                             "<value id=\"p1\">referenced</value></e:Body></e:Envelope>";
    EXPECT_EQ(post(fake, body).fault, "");
    EXPECT_EQ(fake.state->lastParams, (soap::Params{"referenced", "from the header", "kept"}));
}

TEST(Decoding, EnvelopeMustBeSoap11WithOneBodyNamingAnOperation) {
    FakeVelmora fake;
    const std::string call = "<BuscaEstoque><PCodEmp>1</PCodEmp></BuscaEstoque>";
    EXPECT_EQ(post(fake, "<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body>" + call +
                             "</e:Body></e:Envelope>")
                  .fault,
              "Invalid SOAP request");
    EXPECT_EQ(post(fake, "<Envelope><Body>" + call + "</Body></Envelope>").fault, "Invalid SOAP request");
    EXPECT_EQ(post(fake, "<e:envelope xmlns:e=\"" + kEnvNs + "\"><e:Body>" + call + "</e:Body></e:envelope>").fault,
              "Invalid SOAP request");
    EXPECT_EQ(post(fake, rawEnvelope("\n  \n")).fault, "Invalid SOAP request");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body>" + call + "</e:Body><e:Body/>")).fault,
              "Multiple body elements not supported");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Header/>")).fault, "No SOAP Body found");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body><!-- nothing --> </e:Body>")).fault,
              "No operation element found in SOAP Body");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body><Unknown/></e:Body>")).fault,
              "No method named 'Unknown' is supported by interface 'IVelmora'");
    EXPECT_EQ(fake.state->objectsCreated, 0);

    // Other children of the Envelope, and a Body in any namespace, are fine.
    EXPECT_EQ(post(fake, rawEnvelope("<Extra/><Body>" + call + "</Body>")).fault, "");
}

TEST(Decoding, EncodingStyleMustBeSoapEncodingWhereItIsChecked) {
    FakeVelmora fake;
    const std::string good = " e:encodingStyle=\"" + kEncNs + "\"";
    const std::string bad = " e:encodingStyle=\"urn:other\"";
    const auto call = [&](const std::string& opAttr, const std::string& paramAttr) {
        return "<BuscaEstoque" + opAttr + "><PCodEmp" + paramAttr + ">1</PCodEmp></BuscaEstoque>";
    };
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body>" + call(good, good) + "</e:Body>", good)).fault, "");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body" + bad + ">" + call("", "") + "</e:Body>")).fault, "");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body>" + call(bad, "") + "</e:Body>")).fault,
              "Unsupported SOAP encodingStyle urn:other");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body>" + call("", bad) + "</e:Body>")).fault,
              "Unsupported SOAP encodingStyle urn:other");
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body>" + call("", "") + "</e:Body>", bad)).fault,
              "Unsupported SOAP encodingStyle urn:other");
    // Unprefixed, the attribute is not the envelope's and plays no role.
    EXPECT_EQ(post(fake, rawEnvelope("<e:Body>" + call(" encodingStyle=\"urn:other\"", "") + "</e:Body>")).fault, "");
}

TEST(Decoding, HeaderEntryThatMustBeUnderstoodFailsTheCall) {
    FakeVelmora fake;
    const std::string body = "<e:Body><BuscaEstoque/></e:Body>";
    for (const char* value : {"1", "true", "TRUE", "True"}) {
        const Outcome o = post(fake, rawEnvelope("<e:Header><h:Auth xmlns:h=\"urn:h\" mustUnderstand=\"" +
                                                 std::string(value) + "\"/></e:Header>" + body));
        EXPECT_EQ(o.fault, "Soap header Auth with attribute 'mustUnderstand' set to true was not handled") << value;
        const ParsedXml xml(bodyText(o.answer.body));
        EXPECT_EQ(xml.text("//faultcode"), "SOAP-ENV:MustUnderstand");
        EXPECT_EQ(xml.count("//detail/*[local-name()='ERemotableException']"), 1);
    }
    // "0", another value, or the attribute under a prefix: ignored.
    for (const std::string attr : {"mustUnderstand=\"0\"", "mustUnderstand=\"yes\"", "e:mustUnderstand=\"1\"", ""})
        EXPECT_EQ(post(fake, rawEnvelope("<e:Header><Auth " + attr + "/></e:Header>" + body)).fault, "") << attr;
    EXPECT_EQ(fake.state->lastOperation, "BuscaEstoque");
}

TEST(Decoding, MalformedXmlReportsReasonLineAndSourceExcerpt) {
    FakeVelmora fake;
    const std::string line3 = "<Body><BuscaEstoque><PCodEmp>0123456789012345678901234567890123456789</Oops>";
    const Outcome o = post(fake, "<?xml version=\"1.0\"?>\r\n<Envelope>\r\n" + line3 + "\r\n</Envelope>");
    const std::string prefix = "\r\nLine: 3\r\n";
    const std::size_t at = o.fault.find(prefix);
    ASSERT_NE(at, std::string::npos) << o.fault;
    EXPECT_GT(at, 0u);  // a reason comes first
    EXPECT_EQ(o.fault.substr(at + prefix.size()), line3.substr(0, 40));

    // Forty characters, not bytes: a multi-byte character is never cut.
    std::string accents;
    for (int i = 0; i < 50; ++i) accents += "\xC3\xA9";
    const Outcome cut = post(fake, "<?xml version=\"1.0\"?>\n<a>" + accents + "</b>");
    EXPECT_EQ(cut.fault.substr(cut.fault.find("\r\nLine: 2\r\n") + 11), "<a>" + accents.substr(0, 37 * 2));

    const Outcome empty = post(fake, "");
    EXPECT_NE(empty.fault.find("\r\nLine: 1\r\n"), std::string::npos) << empty.fault;
    const Outcome notXml = post(fake, "SOAP please \xC3\xA9\xC3\xA9");
    EXPECT_NE(notXml.fault.find("\r\nLine: 1\r\nSOAP please \xC3\xA9\xC3\xA9"), std::string::npos);
    EXPECT_EQ(fake.state->objectsCreated, 0);
}

TEST(Decoding, AnElementOverTheAttributeOrNamespaceLimitIsRefusedAsMalformed) {
    using velmora::limits::kMaxAttributesPerElement;
    using velmora::limits::kMaxNamespacesInScope;
    FakeVelmora fake;
    const auto call = [](const std::string& attributes) {
        return rawEnvelope("<e:Body><BuscaEstoque" + attributes + "><PCodEmp>1</PCodEmp></BuscaEstoque></e:Body>");
    };
    const auto refusal = [&](const std::string& attributes, const std::string& reason) {
        return "Element BuscaEstoque has more than " + reason + "\r\nLine: 1\r\n" + call(attributes).substr(0, 40);
    };
    std::string attributes;
    for (int i = 0; i < kMaxAttributesPerElement; ++i) attributes += " a" + std::to_string(i) + "=\"\"";
    std::string namespaces;  // the Envelope's own is in scope too
    for (int i = 1; i < kMaxNamespacesInScope; ++i) namespaces += " xmlns:n" + std::to_string(i) + "=\"urn:n\"";

    EXPECT_EQ(post(fake, call(attributes + namespaces)).fault, "");
    EXPECT_EQ(post(fake, call(attributes + " one=\"more\"")).fault,
              refusal(attributes + " one=\"more\"", std::to_string(kMaxAttributesPerElement) + " attributes"));
    EXPECT_EQ(post(fake, call(namespaces + " xmlns:one=\"more\"")).fault,
              refusal(namespaces + " xmlns:one=\"more\"",
                      std::to_string(kMaxNamespacesInScope) + " namespace declarations in scope"));
    EXPECT_EQ(fake.state->objectsCreated, 1);
}

TEST(Decoding, DocumentTypeDeclarationsAreRefusedUnexpanded) {
    FakeVelmora fake;
    const std::string refused = "A document type declaration is not allowed in a SOAP message";
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE e:Envelope [<!ENTITY l0 \"ha\">";
    for (int i = 1; i < 10; ++i) laughs += "<!ENTITY l" + std::to_string(i) + " \"" + std::string(10, '&') + "\">";
    for (int i = 1; i < 10; ++i) {
        std::string refs;
        for (int k = 0; k < 10; ++k) refs += "&l" + std::to_string(i - 1) + ";";
        laughs.replace(laughs.find(std::string(10, '&')), 10, refs);
    }
    laughs += "]>" + rawEnvelope("<e:Body><BuscaEstoque><PCodEmp>&l9;</PCodEmp></BuscaEstoque></e:Body>");
    EXPECT_TRUE(refusedWithin(5, [&] {
        const Outcome bomb = post(fake, laughs);
        return bomb.fault == refused && bodyText(bomb.answer.body).size() < 1000u;
    }));

    const Outcome external =
        post(fake, "<!DOCTYPE e:Envelope [<!ENTITY x SYSTEM \"file:///etc/hostname\">]>" +
                       rawEnvelope("<e:Body><BuscaEstoque><PCodEmp>&x;</PCodEmp></BuscaEstoque></e:Body>"));
    EXPECT_EQ(external.fault, refused);
    EXPECT_EQ(post(fake, "<!DOCTYPE e:Envelope SYSTEM \"http://127.0.0.1:9/x.dtd\">" +
                             rawEnvelope("<e:Body><BuscaEstoque/></e:Body>"))
                  .fault,
              refused);
    // Without a declaration, an entity is simply undefined.
    EXPECT_NE(post(fake, rawEnvelope("<e:Body><BuscaEstoque><PCodEmp>&x;</PCodEmp></BuscaEstoque></e:Body>"))
                  .fault.find("\r\nLine: 1\r\n"),
              std::string::npos);
    EXPECT_EQ(fake.state->objectsCreated, 0);
}

TEST(Decoding, EveryCallGetsItsOwnServingObject) {
    FakeVelmora fake;
    const std::string call = envelope("<DeletaIntegECF><PTabela>CADOPER</PTabela></DeletaIntegECF>");
    post(fake, call);
    post(fake, call);
    EXPECT_EQ(fake.state->objectsCreated, 2);
    EXPECT_EQ(fake.state->lastParams, (soap::Params{"", "", "CADOPER"}));
}
