// What terminals receive, byte for byte: responses with their records and
// the converter's faults; and that a client reads the texts back unchanged.
#include "fake_velmora.h"

#include "common/win1252.h"
#include "parsed_xml.h"

#include "common/exception.h"
#include "soap/envelope_writer.h"
#include "soap/record_array_writer.h"
#include "support/body_text.h"

#include <gtest/gtest.h>

using namespace soaptest;
using testsupport::bodyText;

namespace {

const std::string kHead =
    "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\">";
const std::string kTail = "</SOAP-ENV:Body></SOAP-ENV:Envelope>";
const std::string kImportHead =
    kHead +
    "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
    "<NS1:ImportaOperadoresResponse xmlns:NS1=\"urn:VelmoraIntf-IVelmora\" xmlns:NS2=\"urn:UClassCadoper\">";
const std::string kImportTail = "</NS1:ImportaOperadoresResponse>" + kTail;

const std::string kImportCall = envelope(
    "<NS1:ImportaOperadores xmlns:NS1=\"urn:VelmoraIntf-IVelmora\">"
    "<PCodEmpresa xsi:type=\"xsd:string\">1</PCodEmpresa><PEcf xsi:type=\"xsd:string\">2</PEcf>"
    "</NS1:ImportaOperadores>");

soap::HttpAnswer importAnswering(FakeVelmora& fake, testsupport::CollectedRecords records) {
    auto shared = std::make_shared<testsupport::CollectedRecords>(std::move(records));
    fake.state->records = [shared](records::RecordSink& sink) { shared->replay(sink); };
    return fake.post(kImportCall);
}

// An import's whole answer, written the way the dispatcher writes it.
std::string writtenImport(const testsupport::CollectedRecords& records) {
    const FakeVelmora fake;
    soap::RecordArrayWriter writer("urn:VelmoraIntf-IVelmora", "ImportaOperadores", records.kind(), fake.types);
    records.replay(writer);
    return bodyText(writer.finish());
}

}  // namespace

TEST(ResponseEnvelope, StockQueryIsTheCompleteExample) {
    FakeVelmora fake;
    const soap::HttpAnswer a = fake.post(
        envelope("<BuscaEstoque><PCodEmp>1</PCodEmp><PCodProd>77</PCodProd><PGrade>U</PGrade></BuscaEstoque>"));
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/xml");
    EXPECT_EQ(bodyText(a.body),
              "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
              "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\">"
              "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
              "<NS1:BuscaEstoqueResponse xmlns:NS1=\"urn:VelmoraIntf-IVelmora\">"
              "<return xsi:type=\"xsd:double\">12.5</return>"
              "</NS1:BuscaEstoqueResponse></SOAP-ENV:Body></SOAP-ENV:Envelope>");
}

TEST(ResponseEnvelope, ImportWithoutRecordsStillDeclaresTheRecordNamespace) {
    FakeVelmora fake;
    EXPECT_EQ(bodyText(importAnswering(fake, operators(0)).body),
              kImportHead + "<return xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:arrayType=\"NS2:TRegistroCadoper[0]\"/>" +
                  kImportTail);
}

TEST(ResponseEnvelope, ImportWithOneRecordWritesEveryFieldTyped) {
    testsupport::CollectedRecords one(kOperatorKind);
    one.addRecord();
    one.setText(0, "0007");
    one.setInteger(2, -5);
    one.setReal(3, 1e16);
    one.setText(4, "A");
    FakeVelmora fake;
    EXPECT_EQ(bodyText(importAnswering(fake, std::move(one)).body),
              kImportHead +
                  "<return xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:arrayType=\"NS2:TRegistroCadoper[1]\">"
                  "<item href=\"#1\"/></return>"
                  "<NS2:TRegistroCadoper id=\"1\" xsi:type=\"NS2:TRegistroCadoper\">"
                  "<Codoper xsi:type=\"xsd:string\">0007</Codoper><Nome xsi:type=\"xsd:string\"/>"
                  "<Historicocliente xsi:type=\"xsd:int\">-5</Historicocliente>"
                  "<Limite xsi:type=\"xsd:double\">1E16</Limite><Acao xsi:type=\"xsd:string\">A</Acao>"
                  "</NS2:TRegistroCadoper>" +
                  kImportTail);
}

TEST(ResponseEnvelope, ImportWithThreeRecordsListsItemsThenRecordsInOrder) {
    std::string records;
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        const char* limit[] = {"", "0.5", "1", "1.5"};
        records += "<NS2:TRegistroCadoper id=\"" + n +
                   "\" xsi:type=\"NS2:TRegistroCadoper\">"
                   "<Codoper xsi:type=\"xsd:string\">" +
                   n +
                   "</Codoper>"
                   "<Nome xsi:type=\"xsd:string\">Operador " +
                   n +
                   "</Nome>"
                   "<Historicocliente xsi:type=\"xsd:int\">" +
                   n +
                   "</Historicocliente>"
                   "<Limite xsi:type=\"xsd:double\">" +
                   limit[i] +
                   "</Limite>"
                   "<Acao xsi:type=\"xsd:string\">I</Acao></NS2:TRegistroCadoper>";
    }
    FakeVelmora fake;
    EXPECT_EQ(bodyText(importAnswering(fake, operators(3)).body),
              kImportHead +
                  "<return xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:arrayType=\"NS2:TRegistroCadoper[3]\">"
                  "<item href=\"#1\"/><item href=\"#2\"/><item href=\"#3\"/></return>" +
                  records + kImportTail);
}

// A read started again (an import retried after a conflict) answers with
// the records of the last read only, numbered from 1, even when the one
// before stopped inside a record.
TEST(ResponseEnvelope, AReadStartedAgainAnswersOnlyItsOwnRecords) {
    FakeVelmora fake;
    fake.state->records = [](records::RecordSink& sink) {
        operators(3).replay(sink);
        sink.beginRecord();
        operators(1).replay(sink);
    };
    FakeVelmora once;
    EXPECT_EQ(bodyText(fake.post(kImportCall).body), bodyText(importAnswering(once, operators(1)).body));
}

TEST(ResponseEnvelope, AcknowledgementLeavesTheResponseElementEmpty) {
    FakeVelmora fake;
    const soap::HttpAnswer a = fake.post(envelope(
        "<DeletaIntegECF><PCodEmpresa>1</PCodEmpresa><PEcf>2</PEcf><PTabela>CADOPER</PTabela></DeletaIntegECF>"));
    EXPECT_EQ(bodyText(a.body),
              kHead +
                  "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
                  "<NS1:DeletaIntegECFResponse xmlns:NS1=\"urn:VelmoraIntf-IVelmora\"/>" +
                  kTail);
}

TEST(ResponseEnvelope, TextResultsAreTypedStringsAndArraysOfThemInline) {
    const std::string body = "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">";
    const soap::RemTypeRegistry types;
    EXPECT_EQ(
        soap::writeResponse("urn:pub", "GetWSDLForPortType", soap::ResultKind::String, std::string("<a>&"), types),
        kHead + body +
            "<NS1:GetWSDLForPortTypeResponse xmlns:NS1=\"urn:pub\">"
            "<return xsi:type=\"xsd:string\">&lt;a&gt;&amp;</return></NS1:GetWSDLForPortTypeResponse>" +
            kTail);
    EXPECT_EQ(soap::writeResponse("urn:pub", "GetPortTypeList", soap::ResultKind::StringArray,
                                  soap::TextList{"IVelmora", ""}, types),
              kHead + body +
                  "<NS1:GetPortTypeListResponse xmlns:NS1=\"urn:pub\">"
                  "<return xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:arrayType=\"xsd:string[2]\">"
                  "<item>IVelmora</item><item/></return></NS1:GetPortTypeListResponse>" +
                  kTail);
}

// Database texts arrive in WIN1252 and are written as escaped UTF-8 in one
// pass: a client reads them back as stored, but for the control characters
// XML cannot carry.
TEST(ResponseEnvelope, ClientReadsRecordTextsBackUnchanged) {
    testsupport::CollectedRecords a(kOperatorKind);
    const std::string tricky[] = {"linha 1\r\nlinha 2\r", "<b>&amp;</b> ]]>", "aspas \" e '", "Operação é €",
                                  "\t x \n"};
    for (const std::string& t : tricky) {
        a.addRecord();
        a.setText(1, t);
    }
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
    a.addRecord();
    a.setText(1, velmora::win1252ToUtf8(everyByte));

    const std::string out = writtenImport(a);
    const ParsedXml xml(out);
    ASSERT_TRUE(xml.wellFormed()) << out;
    for (std::size_t i = 0; i < std::size(tricky); ++i)
        EXPECT_EQ(xml.text("//rec:TRegistroCadoper[@id='" + std::to_string(i + 1) + "']/Nome"), tricky[i]);
    std::string expected;
    for (int b = 1; b < 256; ++b) {
        const bool control = b < 0x20 && b != '\t' && b != '\n' && b != '\r';
        expected += control ? "\xEF\xBF\xBD" : velmora::win1252ToUtf8(std::string(1, static_cast<char>(b)));
    }
    EXPECT_EQ(xml.text("//rec:TRegistroCadoper[@id='6']/Nome"), expected);
    EXPECT_EQ(xml.count("//ns1:ImportaOperadoresResponse/return/item"), 6);
    EXPECT_EQ(xml.count("//ns1:ImportaOperadoresResponse/rec:TRegistroCadoper"), 6);
}

TEST(FaultEnvelope, OperationFailureCarriesItsMessageAsServerFault) {
    FakeVelmora fake;
    const std::string message = "Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: conexão recusada";
    fake.state->answer = [&](std::string_view, const soap::Params&) -> soap::CallResult {
        throw velmora::Exception(message);
    };
    const soap::HttpAnswer a = fake.post(kImportCall);
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/xml");
    EXPECT_EQ(bodyText(a.body), kHead +
                                    "<SOAP-ENV:Body><SOAP-ENV:Fault><faultactor/><faultcode>SOAP-ENV:Server</faultcode>"
                                    "<faultstring>Ocorreu um erro ao tentar deletar os dados IntegECG.&#13;Motivo: "
                                    "conex\xC3\xA3o recusada</faultstring></SOAP-ENV:Fault>" +
                                    kTail);
    EXPECT_EQ(ParsedXml(bodyText(a.body)).text("//faultstring"), message);
}

TEST(FaultEnvelope, AnyStandardErrorBecomesAFault) {
    FakeVelmora fake;
    fake.state->answer = [](std::string_view, const soap::Params& p) -> soap::CallResult {
        return soap::CallResult(std::string(p.at(5)));  // out of range
    };
    const soap::HttpAnswer a = fake.post(kImportCall);
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(ParsedXml(bodyText(a.body)).text("//faultcode"), "SOAP-ENV:Server");
    EXPECT_NE(ParsedXml(bodyText(a.body)).text("//faultstring"), "");
}

TEST(FaultEnvelope, ResultOfTheWrongKindIsAFaultNotAHalfResponse) {
    FakeVelmora fake;
    fake.state->answer = [](std::string_view, const soap::Params&) -> soap::CallResult { return soap::TextList{}; };
    const soap::HttpAnswer a = fake.post(
        envelope("<BuscaEstoque><PCodEmp>1</PCodEmp><PCodProd>77</PCodProd><PGrade>U</PGrade></BuscaEstoque>"));
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(bodyText(a.body).find("Response"), std::string::npos);
    EXPECT_EQ(ParsedXml(bodyText(a.body)).text("//faultstring"),
              "Datatype of TypeKind: tkFloat not supported as argument for remote invocation");
}

TEST(FaultEnvelope, AnImportFailingAfterSomeRecordsAnswersTheFaultAlone) {
    FakeVelmora fake;
    fake.state->records = [](records::RecordSink& sink) {
        operators(3).replay(sink);
        throw velmora::Exception("conexão perdida");
    };
    const soap::HttpAnswer a = fake.post(kImportCall);
    EXPECT_EQ(bodyText(a.body).find("TRegistroCadoper"), std::string::npos) << bodyText(a.body);
    EXPECT_EQ(ParsedXml(bodyText(a.body)).text("//faultstring"), "conexão perdida");
}

TEST(FaultEnvelope, RemotableErrorKeepsItsCodeActorAndDetail) {
    const std::string out =
        soap::writeFault(velmora::ERemotableException("Cabe\xC3\xA7"
                                                      "alho",
                                                      "MustUnderstand", "urn:actor&"));
    EXPECT_EQ(out, kHead +
                       "<SOAP-ENV:Body><SOAP-ENV:Fault><faultactor>urn:actor&amp;</faultactor>"
                       "<faultcode>SOAP-ENV:MustUnderstand</faultcode><faultstring>Cabe\xC3\xA7"
                       "alho</faultstring>"
                       "<detail><NS1:ERemotableException xmlns:NS1=\"urn:InvokeRegistry\" "
                       "xsi:type=\"NS1:ERemotableException\"/></detail></SOAP-ENV:Fault>" +
                       kTail);
    EXPECT_TRUE(ParsedXml(out).wellFormed());
}
