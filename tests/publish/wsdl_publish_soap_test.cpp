// IWSDLPublish called as a SOAP client calls it: through the dispatcher,
// chosen by the SOAP action its own WSDL advertises or by the path.
#include "publish_test_support.h"

#include "soap/dispatcher.h"
#include "support/body_text.h"

#include <gtest/gtest.h>

using namespace publishtest;
using testsupport::bodyText;

namespace {

const std::string kAction = std::string(publish::kWSDLPublishNamespace) + "-IWSDLPublish";

std::string call(const std::string& operation, const std::string& params = {}) {
    return "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\">"
           "<SOAP-ENV:Body><NS1:" +
           operation + " xmlns:NS1=\"" + std::string(publish::kWSDLPublishNamespace) + "\">" + params +
           "</NS1:" + operation + "></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

soap::HttpAnswer post(const std::string& action, const std::string& path, const std::string& body) {
    return soap::dispatchSoap(serviceRegistry(), serviceTypes(), action, path, "text/xml", body);
}

// The "return" text of a response, as a client reads it back.
std::string returned(const soap::HttpAnswer& a) { return Xml(bodyText(a.body)).text("//enc:Body/*/return"); }

}  // namespace

TEST(WSDLPublishSoap, AdvertisedActionAndPathBothReachTheInterface) {
    for (const std::string& action : {"\"" + kAction + "\"", kAction}) {
        const soap::HttpAnswer a = post(action, "/soap", call("GetPortTypeList"));
        ASSERT_EQ(a.status, 200) << action << bodyText(a.body);
        const Xml x(bodyText(a.body));
        EXPECT_EQ(x.count("//return/item"), 2);
        EXPECT_EQ(x.text("//return/item[1]"), "IVelmora");
        EXPECT_EQ(x.text("//return/item[2]"), "IWSDLPublish");
    }
    EXPECT_EQ(post("", "/soap/IWSDLPublish", call("GetPortTypeList")).status, 200);
    // The namespace rule keeps working for both interfaces.
    EXPECT_EQ(&soap::chooseInterface(serviceRegistry(), std::string(publish::kWSDLPublishNamespace) + "#x", ""),
              serviceRegistry().findByName("IWSDLPublish"));
    EXPECT_EQ(&soap::chooseInterface(serviceRegistry(), "urn:VelmoraIntf-IVelmora#BuscaEstoque", "/soap/IWSDLPublish"),
              serviceRegistry().findByName("IVelmora"));
    // Only the exact value is accepted besides the namespace.
    const std::string wrongActions[] = {kAction + "#GetPortTypeList", kAction + "x",
                                        "urn:VelmoraIntf-IVelmora-IWSDLPublish"};
    for (const std::string& wrong : wrongActions) {
        const soap::HttpAnswer a = post(wrong, "/soap/IWSDLPublish", call("GetPortTypeList"));
        EXPECT_EQ(a.status, 500) << wrong;
        EXPECT_TRUE(contains(bodyText(a.body), "No interface  registered for soap action")) << wrong;
    }
}

TEST(WSDLPublishSoap, WsdlForPortTypeIsAParsableDocumentOrEmpty) {
    const soap::HttpAnswer a = post(kAction, "/soap", call("GetWSDLForPortType", "<PortType>ivelmora</PortType>"));
    ASSERT_EQ(a.status, 200);
    const Xml wsdl(returned(a));
    ASSERT_TRUE(wsdl.wellFormed());
    EXPECT_EQ(wsdl.text("/w:definitions/@name"), "IVelmoraservice");
    EXPECT_EQ(wsdl.count("//w:portType/w:operation"), 13);
    EXPECT_EQ(wsdl.count("//w:message"), 26);
    EXPECT_EQ(wsdl.count("//w:service"), 0);  // a SOAP call names no address to publish

    const soap::HttpAnswer none = post(kAction, "/soap", call("GetWSDLForPortType", "<PortType>INoSuch</PortType>"));
    EXPECT_EQ(none.status, 200);
    EXPECT_EQ(returned(none), "");
    EXPECT_FALSE(contains(bodyText(none.body), "Fault"));
}

TEST(WSDLPublishSoap, TypeSystemsAndTheirSchemas) {
    // The scalars' namespace and the publisher's own; naming IVelmora's
    // record types before changes nothing.
    post(kAction, "/soap", call("GetWSDLForPortType", "<PortType>IVelmora</PortType>"));
    const Xml list(bodyText(post(kAction, "/soap", call("GetTypeSystemsList")).body));
    EXPECT_EQ(list.count("//return/item"), 2);
    EXPECT_EQ(list.text("//return/item[1]"), "http://www.w3.org/2001/XMLSchema");
    EXPECT_EQ(list.text("//return/item[2]"), "http://velmora.dev/types");

    const soap::HttpAnswer a =
        post(kAction, "/soap", call("GetXSDForTypeSystem", "<TypeSystem>urn:UClassCadoper</TypeSystem>"));
    const Xml xsd(returned(a));
    ASSERT_TRUE(xsd.wellFormed()) << bodyText(a.body);
    EXPECT_EQ(xsd.text("/xs:schema/@targetNamespace"), "urn:UClassCadoper");
    EXPECT_EQ(xsd.count("/xs:schema/xs:complexType"), 2);
    EXPECT_EQ(xsd.text("/xs:schema/xs:complexType[1]/@name"), "TColCadoper");
    EXPECT_EQ(xsd.text("//xs:attribute/@w:arrayType"), "ns3:TRegistroCadoper[]");
    // The prefix used in the array type is declared in the document itself.
    EXPECT_TRUE(contains(returned(a), "xmlns:ns3=\"urn:UClassCadoper\""));
    EXPECT_EQ(xsd.text("//xs:complexType[@name='TRegistroCadoper']/xs:sequence/xs:element[1]/@name"), "Codoper");

    const Xml unknown(returned(post(kAction, "/soap", call("GetXSDForTypeSystem", "<TypeSystem>urn:x</TypeSystem>"))));
    ASSERT_TRUE(unknown.wellFormed());
    EXPECT_EQ(unknown.count("/xs:schema[@targetNamespace='urn:x']/*"), 0);
}
