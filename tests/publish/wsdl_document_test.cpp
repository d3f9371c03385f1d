// The WSDL of a port type as a SOAP tool kit reads it: structure, names,
// prefixes and addresses checked on the parsed document.
#include "publish_test_support.h"

#include "records/record_kind.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <fstream>

using namespace publishtest;

namespace {

const std::string kOperations[] = {"ImportaProdutos",   "ImportaClientes",   "ImportaOperadores",   "ImportaUsuarios",
                                   "ImportaVendedores", "ImportaTpOperacao", "ImportaFornecedores", "ImportaPedidoC",
                                   "ImportaPedidoi",    "ImportaDocurec",    "ImportaMovirec",      "BuscaEstoque",
                                   "DeletaIntegECF"};
const std::string kUnits[] = {"Produto", "Cliente", "Cadoper", "Cadusua", "Vendend", "Cdoperc",
                              "Fornece", "Pedidoc", "Pedidoi", "Docurec", "Movirec"};

class WsdlDocument : public ::testing::Test {
protected:
    publish::Answer get(const std::string& path, const std::string& host = "example.com", std::int64_t port = 80,
                        bool https = false) {
        return publish::Publisher(settings(portTable_), serviceRegistry(), serviceTypes())
            .dispatch(request(path, host, port, https));
    }
    void usePortTable(const std::string& text) {
        portTable_ = ::testing::TempDir() + "publish_ports_" + std::to_string(::getpid()) + ".ini";
        std::ofstream(portTable_, std::ios::binary) << text;
    }
    void TearDown() override {
        if (!portTable_.empty()) std::remove(portTable_.c_str());
    }

    std::string portTable_;
};

}  // namespace

TEST_F(WsdlDocument, DescribesEveryOperationOfIVelmoraInOrder) {
    const publish::Answer a = get("/wsdl/IVelmora");
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/xml");
    EXPECT_TRUE(a.content.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    EXPECT_TRUE(a.content.ends_with("</definitions>\r\n"));
    const Xml x(a.content);
    ASSERT_TRUE(x.wellFormed()) << a.content.substr(0, 400);

    EXPECT_EQ(x.text("/w:definitions/@name"), "IVelmoraservice");
    EXPECT_EQ(x.text("/w:definitions/@targetNamespace"), "http://velmora.dev/wsdl/");
    EXPECT_EQ(x.count("/w:definitions/w:portType[@name='IVelmora']/w:operation"), 13);
    EXPECT_EQ(x.count("/w:definitions/w:message"), 26);
    EXPECT_EQ(x.text("/w:definitions/w:message[1]/@name"), "ImportaProdutos0Request");
    EXPECT_EQ(x.text("/w:definitions/w:message[26]/@name"), "DeletaIntegECF12Response");
    for (int i = 0; i < 13; ++i) {
        const std::string op = "/w:definitions/w:portType/w:operation[" + std::to_string(i + 1) + "]";
        EXPECT_EQ(x.text(op + "/@name"), kOperations[i]);
        EXPECT_EQ(x.text(op + "/w:input/@message"), "tns:" + kOperations[i] + std::to_string(i) + "Request");
        EXPECT_EQ(x.text(op + "/w:output/@message"), "tns:" + kOperations[i] + std::to_string(i) + "Response");
        const std::string bound = "/w:definitions/w:binding/w:operation[" + std::to_string(i + 1) + "]";
        EXPECT_EQ(x.text(bound + "/@name"), kOperations[i]);
        EXPECT_EQ(x.text(bound + "/soap:operation/@soapAction"), "urn:VelmoraIntf-IVelmora#" + kOperations[i]);
        EXPECT_EQ(x.count(bound + "/*/soap:body[@use='encoded'][@namespace='urn:VelmoraIntf-IVelmora']"
                                  "[@encodingStyle='http://schemas.xmlsoap.org/soap/encoding/']"),
                  2);
    }

    // Parameters are strings; results name their array type or xs:double;
    // DeletaIntegECF answers an empty message.
    EXPECT_EQ(x.text("//w:message[@name='BuscaEstoque11Request']/w:part[3]/@name"), "PGrade");
    EXPECT_EQ(x.count("//w:message/w:part[@type!='xs:string' and @name!='return']"), 0);
    EXPECT_EQ(x.text("//w:message[@name='ImportaProdutos0Response']/w:part[@name='return']/@type"), "ns1:TColProduto");
    EXPECT_EQ(x.text("//w:message[@name='ImportaMovirec10Response']/w:part/@type"), "ns11:TColMovirec");
    EXPECT_EQ(x.text("//w:message[@name='BuscaEstoque11Response']/w:part/@type"), "xs:double");
    EXPECT_EQ(x.count("//w:message[@name='DeletaIntegECF12Response']/*"), 0);

    EXPECT_EQ(x.text("/w:definitions/w:binding/@name"), "IVelmorabinding");
    EXPECT_EQ(x.text("/w:definitions/w:binding/@type"), "tns:IVelmora");
    EXPECT_EQ(x.text("/w:definitions/w:binding/soap:binding/@style"), "rpc");
    EXPECT_EQ(x.text("/w:definitions/w:binding/soap:binding/@transport"), "http://schemas.xmlsoap.org/soap/http");
    EXPECT_EQ(x.count("/w:definitions/w:service[@name='IVelmoraservice']/w:port"), 1);
    EXPECT_EQ(x.text("//w:service/w:port/@name"), "IVelmoraPort");
    EXPECT_EQ(x.text("//w:service/w:port/@binding"), "tns:IVelmorabinding");
    EXPECT_EQ(x.text("//w:service/w:port/soap:address/@location"), "http://example.com/velmora.cgi/soap/IVelmora");
}

TEST_F(WsdlDocument, TypeNamespacesArePrefixedInOperationOrderWithArrayThenRecord) {
    const publish::Answer a = get("/wsdl/IVelmora");
    const Xml x(a.content);
    ASSERT_TRUE(x.wellFormed());
    // Declarations on the root, in the order a reader meets them.
    std::vector<std::pair<std::string, std::string>> declared;
    for (xmlNs* ns = x.root()->nsDef; ns; ns = ns->next)
        declared.emplace_back(ns->prefix ? reinterpret_cast<const char*>(ns->prefix) : "",
                              reinterpret_cast<const char*>(ns->href));
    ASSERT_EQ(declared.size(), 6u + 11u);
    EXPECT_EQ(declared[0], std::make_pair(std::string(), std::string("http://schemas.xmlsoap.org/wsdl/")));
    EXPECT_EQ(declared[1].first, "xs");
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(declared[6 + i].first, "ns" + std::to_string(i + 1));
        EXPECT_EQ(declared[6 + i].second, "urn:UClass" + kUnits[i]);
        const std::string schema = "/w:definitions/w:types/xs:schema[" + std::to_string(i + 1) + "]";
        EXPECT_EQ(x.text(schema + "/@targetNamespace"), "urn:UClass" + kUnits[i]);
        EXPECT_EQ(x.text(schema + "/xs:complexType[1]/@name"), "TCol" + kUnits[i]);
        EXPECT_EQ(x.text(schema + "/xs:complexType[2]/@name"), "TRegistro" + kUnits[i]);
        EXPECT_EQ(x.count(schema + "/xs:complexType"), 2);
    }
    EXPECT_EQ(x.count("/w:definitions/w:types/xs:schema"), 11);

    const std::string array = "//xs:complexType[@name='TColProduto']/xs:complexContent/xs:restriction";
    EXPECT_EQ(x.text(array + "/@base"), "soapenc:Array");
    EXPECT_EQ(x.count(array + "/xs:sequence[not(*)]"), 1);
    EXPECT_EQ(x.text(array + "/xs:attribute/@ref"), "soapenc:arrayType");
    EXPECT_EQ(x.text(array + "/xs:attribute/@w:arrayType"), "ns1:TRegistroProduto[]");

    // Every field, in declaration order, typed by its kind.
    const std::string cadoper = "//xs:complexType[@name='TRegistroCadoper']/xs:sequence/xs:element";
    ASSERT_EQ(x.count(cadoper), static_cast<int>(records::TRegistroCadoper.fields.size()));
    EXPECT_EQ(x.text(cadoper + "[1]/@name"), "Codoper");
    EXPECT_EQ(x.text(cadoper + "[last()]/@name"), "Acao");
    EXPECT_EQ(x.text(cadoper + "[@name='Historicocliente']/@type"), "xs:int");
    const std::string produto = "//xs:complexType[@name='TRegistroProduto']/xs:sequence/xs:element";
    EXPECT_EQ(x.count(produto), static_cast<int>(records::TRegistroProduto.fields.size()));
    EXPECT_EQ(x.text(produto + "[@name='Estminimo']/@type"), "xs:double");
    EXPECT_EQ(x.text(produto + "[@name='Codprod']/@type"), "xs:string");
}

TEST_F(WsdlDocument, AddressCarriesThePortOnlyWhenNeeded) {
    const auto location = [this](const std::string& host, std::int64_t port) {
        return Xml(get("/wsdl/IVelmora", host, port).content).text("//soap:address/@location");
    };
    EXPECT_EQ(location("example.com", 8080), "http://example.com:8080/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(location("example.com", 80), "http://example.com/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(location("example.com:8443", 8443), "http://example.com:8443/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(location("[::1]:81", 81), "http://[::1]:81/velmora.cgi/soap/IVelmora");
}

TEST_F(WsdlDocument, BehindTlsTheAddressIsHttpsWithoutItsDefaultPort) {
    const auto location = [this](const std::string& host, std::int64_t port) {
        return Xml(get("/wsdl/IVelmora", host, port, true).content).text("//soap:address/@location");
    };
    EXPECT_EQ(location("example.com", 443), "https://example.com/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(location("example.com", 8443), "https://example.com:8443/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(location("example.com", 80), "https://example.com:80/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(location("example.com:4443", 4443), "https://example.com:4443/velmora.cgi/soap/IVelmora");
}

TEST_F(WsdlDocument, DefaultPortKeepsTheRequestedSpellingEverythingElseTheRegistered) {
    const Xml x(get("/wsdl/ivelmora").content);
    ASSERT_TRUE(x.wellFormed());
    EXPECT_EQ(x.text("//w:service/w:port/@name"), "ivelmoraPort");
    EXPECT_EQ(x.text("//soap:address/@location"), "http://example.com/velmora.cgi/soap/ivelmora");
    EXPECT_EQ(x.text("/w:definitions/@name"), "IVelmoraservice");
    EXPECT_EQ(x.text("//w:portType/@name"), "IVelmora");
    EXPECT_EQ(x.text("//w:binding/@name"), "IVelmorabinding");
    EXPECT_EQ(x.text("//w:service/@name"), "IVelmoraservice");
}

TEST_F(WsdlDocument, PortTableSectionReplacesTheDefaultPort) {
    usePortTable(
        "; ports of this installation\r\n[IWSDLPublish]\r\nOther=http://elsewhere/x\r\n"
        "[ivelmora]\r\nPrimary=http://a.example/velmora.cgi/soap/IVelmora\r\n"
        "Backup = http://b.example:81/velmora.cgi/soap/IVelmora\r\n");
    const Xml x(get("/wsdl/IVelmora").content);
    ASSERT_TRUE(x.wellFormed());
    ASSERT_EQ(x.count("//w:service/w:port"), 2);
    EXPECT_EQ(x.text("//w:service/w:port[1]/@name"), "Primary");
    EXPECT_EQ(x.text("//w:service/w:port[1]/soap:address/@location"), "http://a.example/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(x.text("//w:service/w:port[2]/@name"), "Backup");
    EXPECT_EQ(x.text("//w:service/w:port[2]/soap:address/@location"), "http://b.example:81/velmora.cgi/soap/IVelmora");
    EXPECT_EQ(x.count("//w:service/w:port[@binding='tns:IVelmorabinding']"), 2);

    usePortTable("[ISomethingElse]\r\nP=http://x\r\n");
    const Xml fallback(get("/wsdl/IVelmora").content);
    EXPECT_EQ(fallback.text("//w:service/w:port/@name"), "IVelmoraPort");
}

TEST_F(WsdlDocument, PublisherPortTypeHasItsOwnActionAndStringArrays) {
    const Xml x(get("/wsdl/IWSDLPublish").content);
    ASSERT_TRUE(x.wellFormed());
    const std::string action = std::string(publish::kWSDLPublishNamespace) + "-IWSDLPublish";
    EXPECT_EQ(x.count("//w:binding/w:operation/soap:operation[@soapAction='" + action + "']"), 4);
    EXPECT_EQ(x.text("//w:portType/w:operation[2]/@name"), "GetWSDLForPortType");
    EXPECT_EQ(x.text("//w:message[@name='GetWSDLForPortType1Request']/w:part/@name"), "PortType");
    EXPECT_EQ(x.text("//w:message[@name='GetWSDLForPortType1Response']/w:part/@type"), "xs:string");
    EXPECT_EQ(x.text("//w:message[@name='GetPortTypeList0Response']/w:part/@type"), "ns1:StringArray");
    EXPECT_EQ(x.count("//w:message[@name='GetPortTypeList0Request']/*"), 0);
    EXPECT_EQ(x.text("//xs:complexType[@name='StringArray']//xs:attribute/@w:arrayType"), "xs:string[]");
    EXPECT_EQ(x.text("//w:binding/w:operation[1]/w:input/soap:body/@namespace"),
              std::string(publish::kWSDLPublishNamespace));
}

TEST_F(WsdlDocument, HostileRequestValuesStayTextInTheDocument) {
    const std::string host = "evil\"><script>alert('x')</script>&";
    const publish::Answer a = get("/wsdl/IVelmora", host, 80);
    EXPECT_FALSE(contains(a.content, "<script>"));
    const Xml x(a.content);
    ASSERT_TRUE(x.wellFormed());
    EXPECT_EQ(x.text("//soap:address/@location"), "http://" + host + "/velmora.cgi/soap/IVelmora");
}
