// The service page (all port types, one in detail, the registered types) and
// the inspection document that takes its place on /inspection.wsil.
#include "publish_test_support.h"

#include <gtest/gtest.h>

using namespace publishtest;

namespace {

publish::Page page(const std::string& path, velmora::QueryText query = {}, const std::string& host = "example.com") {
    publish::Request r = request(path, host);
    r.query = std::move(query);
    return publish::Publisher(settings(), serviceRegistry(), serviceTypes()).servicePage(r);
}

velmora::QueryText query(std::vector<std::string> lines, std::string error = {}) {
    return {std::move(lines), std::move(error)};
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(ServicePage, HeadAndStyleSheetAreExact) {
    const publish::Page p = page("/");
    EXPECT_EQ(p.contentType, "");  // the response's own text/html stays
    const std::string font = "font-family: Verdana, Arial, Helvetica, sans-serif; ";
    const std::string expected =
        "<html><head><META name=\"serviceInspection\" content=\"inspection.wsil\"><title>velmora</title></head>"
        "<style type=\"text/css\"><!--\r\n"
        "body       { " +
        font +
        "font-size: 9pt; margin-left: 0px; margin-top: 0px; margin-right: 0px; }\r\n"
        "h1         { color: #333333; font-size: 18pt; font-style: normal; font-weight: bold; }\r\n"
        "h2         { color: #333333; font-size: 14pt; font-style: normal; font-weight: bold; }\r\n"
        "h3         { color: #333333; font-size: 12pt; font-style: normal; font-weight: bold; }\r\n"
        ".h1Style   { color: #333333; font-size: 18pt; font-style: normal; font-weight: bold; }\r\n"
        ".TblRow    { color: #333333; " +
        font +
        "font-size: 10pt; font-weight: normal; }\r\n"
        ".TblRow1   { color: #333333; background-color: #f5f5dc; " +
        font +
        "font-size: 9pt; font-weight: normal; }\r\n"
        ".TblRow0   { color: #333333; background-color: #d9d4aa; " +
        font +
        "font-size: 9pt; font-weight: normal; }\r\n"
        ".TblHdr    { color: #CCCC99; background-color: #333333; " +
        font +
        "font-size: 10pt; font-weight: bold; text-align: center; }\r\n"
        ".IntfName  { color: #660000; " +
        font +
        "font-size: 10pt; font-weight: bold; }\r\n"
        ".MethName  { color: #333333; " +
        font +
        "font-size: 8pt; font-weight: bold; text-decoration: none; }\r\n"
        ".ParmName  { color: #333333; " +
        font +
        "font-size: 8pt; text-decoration: none; }\r\n"
        ".Namespace { color: #333333; " +
        font +
        "font-size: 9pt; font-style: italic; }\r\n"
        ".WSDL      { color: #990000; " +
        font +
        "font-size: 8pt; font-weight: bold; }\r\n"
        ".MainBkgnd { background-color: #d9d4aa; }\r\n"
        ".Info      { " +
        font +
        "font-size: 12pt; font-weight: bold; }\r\n"
        ".NavBar    { color: #660000; background-color: #f5f5dc; " +
        font +
        "font-size: 8pt; font-weight: bold; text-decoration: none; }\r\n"
        ".Off       { color: #A0A0A0; }\r\n"
        ".Tip \t    { color: #666666; " +
        font +
        "font-weight: normal; font-size: 9pt; }\r\n"
        "--></style>\r\n<body>"
        "<table class=\"MainBkgnd\" border=0 cellpadding=0 cellspacing=0 width=\"100%\"><tr><td>&nbsp;</td></tr>"
        "<tr><td class=\"h1Style\" align=\"center\">velmora - Service Info Page</td></tr></table>"
        "<br><table width=\"100%\" border=0 cellpadding=1 cellspacing=0>\r\n"
        "<tr><td width=\"1%\" class=\"Info\">&nbsp;</td><td width=\"99%\" class=\"Info\">\r\n"
        "velmora - PortTypes:</td></tr>\r\n<tr><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n";
    EXPECT_EQ(p.content.substr(0, expected.size()), expected);
    EXPECT_TRUE(p.content.ends_with("</table></body></html>"));
}

TEST(ServicePage, FullListLinksEveryPortTypeAndTheInspectionDocument) {
    const std::string p = page("/unknown").content;
    EXPECT_TRUE(contains(p,
                         "<tr><td width=\"1%\">&nbsp;</td><td width=\"99%\"><ul><li>\r\n"
                         "<a class=\"IntfName\" href=\"http://example.com/velmora.cgi?intf=IVelmora\">IVelmora</a>\r\n"
                         "<span class=\"WSDL\">[</span><a class=\"WSDL\" href=\"http://example.com/velmora.cgi/wsdl/"
                         "IVelmora\">WSDL</a><span class=\"WSDL\">]</span>\r\n"
                         "<ul><li><span class=\"MethName\">ImportaProdutos</span></li></ul>"
                         "<ul><li><span class=\"MethName\">ImportaClientes</span></li></ul>"));
    EXPECT_TRUE(contains(p,
                         "<ul><li><span class=\"MethName\">DeletaIntegECF</span></li></ul></li></ul></td></tr>"
                         "<tr><td width=\"1%\">&nbsp;</td><td width=\"99%\"><ul><li>\r\n"
                         "<a class=\"IntfName\" href=\"http://example.com/velmora.cgi?intf=IWSDLPublish\">"));
    EXPECT_TRUE(contains(p,
                         "<table><tr><td width=\"2%\">&nbsp;</td><td>\r\n<span class=\"Tip\">Lists all the "
                         "PortTypes published by this Service</span></td></tr></table>\r\n"));
    EXPECT_TRUE(contains(p,
                         "\">\r\nWSIL:&nbsp;&nbsp;<span class=\"Tip\">Link to WS-Inspection document of Services "
                         "<a href=\"http://example.com/velmora.cgi/inspection.wsil\">here</a></span></td></tr>\r\n"
                         "<tr><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n</table></body></html>"));
    EXPECT_EQ(occurrences(p, "class=\"MethName\""), 13u + 4u);
    EXPECT_FALSE(contains(p, "Registered Types"));
}

TEST(ServicePage, IntfShowsOnePortTypeInDetailOnlyWhenSpelledExactly) {
    const std::string p = page("/", query({"intf=IVelmora"})).content;
    EXPECT_TRUE(contains(p,
                         "<a href=\"http://example.com/velmora.cgi\">velmora</a>&nbsp;&gt;&nbsp;"
                         "<span class=\"Off\">IVelmora</span></td></tr>\r\n"));
    EXPECT_TRUE(contains(p, "<li>\r\n<span class=\"IntfName\">IVelmora</span>\r\n"));
    EXPECT_TRUE(contains(p, "&nbsp;<span class=\"Namespace\">(urn:VelmoraIntf-IVelmora)</span>\r\n<table>\r\n"));
    EXPECT_TRUE(contains(p,
                         "<tr><td width=\"10%\" class=\"MethName\">&nbsp;</td><td class=\"ParmName\">TColProduto "
                         "</td><td><span class=\"MethName\">ImportaProdutos(</span>"
                         "<span class=\"MethName\"></span><span class=\"ParmName\">string</span>"
                         "<span class=\"MethName\">&nbsp;PCodEmpresa</span>"
                         "<span class=\"MethName\">, </span><span class=\"ParmName\">string</span>"
                         "<span class=\"MethName\">&nbsp;PEcf</span><span class=\"MethName\">)</span></td></tr>\r\n"));
    EXPECT_TRUE(contains(p, "<td class=\"ParmName\">double </td><td><span class=\"MethName\">BuscaEstoque(</span>"));
    EXPECT_TRUE(contains(p, "<td class=\"ParmName\">void </td><td><span class=\"MethName\">DeletaIntegECF(</span>"));
    EXPECT_TRUE(contains(p, "</table>\r\n</li></ul></td></tr></table></body></html>"));
    EXPECT_FALSE(contains(p, "IWSDLPublish"));
    EXPECT_FALSE(contains(p, "WSIL:"));

    const std::string own = page("/", query({"INTF=IWSDLPublish"})).content;  // field names ignore case
    EXPECT_TRUE(contains(own,
                         "<td class=\"ParmName\">StringArray </td><td><span class=\"MethName\">GetPortTypeList("
                         "</span><span class=\"MethName\">)</span>"));

    for (const char* other : {"intf=ivelmora", "intf=INoSuch", "intf=", "x=1"})
        EXPECT_EQ(page("/", query({other})).content, page("/").content) << other;
}

TEST(ServicePage, TypesTableListsTheRegistryWithAlternatingRows) {
    const std::string p = page("/", query({"types=1"})).content;
    EXPECT_TRUE(contains(p,
                         "<a name=\"types\"></a><center><h3>Registered Types</h3>"
                         "<table cellpadding=2 cellspacing=1 border=0><tr><td class=\"TblHdr\">Type</td>"));
    EXPECT_TRUE(contains(p,
                         "<tr><td class=\"TblRow1\">string</td><td class=\"TblRow1\">string</td>"
                         "<td class=\"TblRow1\">http://www.w3.org/2001/XMLSchema</td>"
                         "<td class=\"TblRow1\"> (tkLString)</td><td class=\"TblRow1\">1</td>"
                         "<td class=\"TblRow1\"></td></tr><tr><td class=\"TblRow0\">Integer</td>"));
    EXPECT_TRUE(p.ends_with("</table></center></body></html>"));
    EXPECT_EQ(occurrences(p, "<tr><td class=\"TblRow"), serviceTypes().entries().size());

    // A port type's detail adds the record arrays it names, numbered on.
    const std::string detailed = page("/", query({"intf=IVelmora", "types=1"})).content;
    EXPECT_TRUE(contains(detailed,
                         "<td class=\"TblRow0\">TColCliente</td><td class=\"TblRow0\">TColCliente</td>"
                         "<td class=\"TblRow0\">urn:UClassCliente</td><td class=\"TblRow0\"> (tkDynArray)</td>"
                         "<td class=\"TblRow0\">6</td>"))
        << detailed;

    EXPECT_FALSE(contains(page("/", query({"types=2"})).content, "Registered Types"));
}

TEST(ServicePage, BadlyEncodedQueryOnlyCostsTheTypesTable) {
    // The fields before the fault still count; the table is left out.
    const std::string p =
        page("/", query({"intf=IVelmora", "types=1"}, "Invalid URL encoded character (%zz) at position 1")).content;
    EXPECT_TRUE(contains(p, "<span class=\"IntfName\">IVelmora</span>"));
    EXPECT_FALSE(contains(p, "Registered Types"));
}

TEST(ServicePage, EchoedValuesAreEscaped) {
    const std::string p = page("/", query({"intf=<i>"}), "x\"><script>alert(1)</script>").content;
    EXPECT_FALSE(contains(p, "<script>"));
    EXPECT_TRUE(
        contains(p, "href=\"http://x&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;/velmora.cgi?intf=IVelmora\""));
}

TEST(InspectionDocument, ListsEveryPublishedPortTypeWithItsWsdl) {
    for (const char* path : {"/inspection.wsil", "/INSPECTION.WSIL"}) {
        const publish::Page p = page(path, {}, "example.com:8080");
        EXPECT_EQ(p.contentType, "text/xml") << path;
        const Xml x(p.content);
        ASSERT_TRUE(x.wellFormed()) << p.content;
        EXPECT_EQ(x.count("/wsil:inspection/wsil:service"), 2) << path;
        EXPECT_EQ(x.text("//wsil:service[1]/wsil:name"), "IVelmora");
        EXPECT_EQ(x.text("//wsil:service[1]/wsil:abstract"), "");
        EXPECT_EQ(x.text("//wsil:service[1]/wsil:description/@referencedNamespace"),
                  "http://schemas.xmlsoap.org/wsdl/");
        EXPECT_EQ(x.text("//wsil:service[1]/wsil:description/@location"),
                  "http://example.com:8080/velmora.cgi/wsdl/IVelmora");
        EXPECT_EQ(x.text("//wsil:service[2]/wsil:name"), "IWSDLPublish");
        EXPECT_EQ(x.text("//wsil:service[2]/wsil:abstract"), "Lists all the PortTypes published by this Service");
    }
    const publish::Page hostile = page("/inspection.wsil", {}, "a<b>&");
    const Xml x(hostile.content);
    ASSERT_TRUE(x.wellFormed());
    EXPECT_EQ(x.text("//wsil:service[1]/wsil:description/@location"), "http://a<b>&/velmora.cgi/wsdl/IVelmora");
    EXPECT_EQ(page("/inspection.wsilx").contentType, "");
}
