// The two operations that are not imports, and a failing import, as a
// terminal receives them from the demo database.
#include "demo_service_fixture.h"
#include "support/body_text.h"
#include "support/executable_path_override.h"

namespace {

using namespace servicetest;
using testsupport::bodyText;

class OtherOperations : public DemoService {};

TEST_F(OtherOperations, StockAnswersOneDoubleAndZeroForNullOrMissing) {
    struct Case {
        const char* produto;
        const char* grade;
        const char* estoque;
    };
    const Case cases[] = {
        {"7891000300305", "P", "12.25"},
        {"7891000100103", "UN", "42.5"},
        {"7891000200209", "UN", "0"},  // stored NULL
        {"7891000300305", "M", "0"},   // no such grade
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.produto) + "/" + c.grade);
        const soap::HttpAnswer answer =
            call("BuscaEstoque", {{"PCodEmp", "1"}, {"PCodProd", c.produto}, {"PGrade", c.grade}});
        EXPECT_EQ(answer.status, 200);
        const ParsedAnswer xml(bodyText(answer.body));
        const xmlNode* response = xml.response();
        ASSERT_NE(response, nullptr) << bodyText(answer.body);
        EXPECT_EQ(name(response), "BuscaEstoqueResponse");
        EXPECT_EQ(nsUri(response), kInterfaceNs);
        const auto ret = children(response);
        ASSERT_EQ(ret.size(), 1u);
        EXPECT_EQ(name(ret[0]), "return");
        EXPECT_EQ(attribute(ret[0], "type", kXsi), "xsd:double");
        EXPECT_EQ(content(ret[0]), c.estoque);
    }
}

// Import marks, acknowledgement deletes what was marked, the next import of
// that table finds nothing; other tables keep their rows.
TEST_F(OtherOperations, AcknowledgementAnswersAnEmptyResponseAndEmptiesTheTablesQueue) {
    // "return" and five records.
    ASSERT_EQ(children(ParsedAnswer(bodyText(import("ImportaOperadores").body)).response()).size(), 6u);
    const soap::HttpAnswer answer =
        call("DeletaIntegECF", {{"PCodEmpresa", "1"}, {"PEcf", "001"}, {"PTabela", "CADOPER"}});
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.contentType, "text/xml");
    const ParsedAnswer xml(bodyText(answer.body));
    const xmlNode* response = xml.response();
    ASSERT_NE(response, nullptr) << bodyText(answer.body);
    EXPECT_EQ(name(response), "DeletaIntegECFResponse");
    EXPECT_EQ(nsUri(response), kInterfaceNs);
    EXPECT_EQ(response->children, nullptr) << bodyText(answer.body);

    const ParsedAnswer after(bodyText(import("ImportaOperadores").body));
    ASSERT_NE(after.response(), nullptr);
    const auto parts = children(after.response());
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(attribute(parts[0], "arrayType", kEnc), "NS2:TRegistroCadoper[0]");
    EXPECT_EQ(parts[0]->children, nullptr);
    EXPECT_EQ(children(ParsedAnswer(bodyText(import("ImportaProdutos").body)).response()).size(), 6u);
}

TEST_F(OtherOperations, AnImportThatCannotConnectAnswersAFaultWithItsMessage) {
    velmora::overrideExecutablePath("/nonexistent-velmora-dir/velmora.cgi");
    const soap::HttpAnswer answer = import("ImportaClientes");
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.contentType, "text/xml");
    const ParsedAnswer xml(bodyText(answer.body));
    const xmlNode* fault = xml.response();
    ASSERT_NE(fault, nullptr) << bodyText(answer.body);
    EXPECT_EQ(name(fault), "Fault");
    EXPECT_EQ(nsUri(fault), kEnv);
    std::string code, message;
    for (const xmlNode* n : children(fault)) {
        if (name(n) == "faultcode") code = content(n);
        if (name(n) == "faultstring") message = content(n);
    }
    EXPECT_EQ(code, "SOAP-ENV:Server");
    EXPECT_EQ(message.rfind("Impossível conectar ao banco de dados pelo seguinte motivo: \r", 0), 0u) << message;
}

}  // namespace
