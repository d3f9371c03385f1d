// Which answer a /wsdl* request gets: listing, WSDL, not-found page,
// Forbidden, nothing at all, or the error page when building fails.
#include "common/exception.h"
#include "publish_test_support.h"
#include "support/executable_path_override.h"

#include <gtest/gtest.h>

using namespace publishtest;

namespace {

const std::string kForbidden =
    "<html><head></head><body><h1>Forbidden (403)</h1><P>Access Forbidden</P></body></html>\r\n";

publish::Answer get(const std::string& path, const std::string& host = "example.com") {
    return publish::Publisher(settings(), serviceRegistry(), serviceTypes()).dispatch(request(path, host));
}

}  // namespace

TEST(PublisherRouting, AdministrationPathsAreForbidden) {
    for (const char* path : {"/wsdl/admin", "/wsdl/admin/", "/wsdl/admin/x", "/wsdl/IVelmora/admin"}) {
        const publish::Answer a = get(path);
        EXPECT_EQ(a.status, 403) << path;
        EXPECT_EQ(a.contentType, "text/html") << path;
        EXPECT_EQ(a.content, kForbidden) << path;
    }
}

TEST(PublisherRouting, SegmentsCompareWithExactLetterCase) {
    // Reached the publisher by its case-blind pattern, but no rule matches.
    for (const char* path :
         {"/WSDL", "/Wsdl/", "/wsdlanything", "/WSDL/IVelmora", "/wsdl/x/IVelmora", "/wsdl/ADMIN/x"}) {
        const publish::Answer a = get(path);
        EXPECT_EQ(a.status, 200) << path;
        EXPECT_EQ(a.contentType, "") << path;
        EXPECT_EQ(a.content, "") << path;
    }
    EXPECT_EQ(get("/wsdl/ADMIN").contentType, "text/html");  // a port type named ADMIN, which is unknown
}

TEST(PublisherRouting, UnknownPortTypeGetsTheNotFoundPageEscaped) {
    const publish::Answer a = get("/wsdl/INoSuch");
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/html");
    EXPECT_EQ(a.content,
              "<html><head></head><body><h1>Error Encountered</h1><P>Interface INoSuch not found</P>"
              "</body></html>\r\n");
    EXPECT_EQ(get("/wsdl/<b>x&y").content,
              "<html><head></head><body><h1>Error Encountered</h1><P>Interface "
              "&lt;b&gt;x&amp;y not found</P></body></html>\r\n");
}

TEST(PublisherRouting, ListingNamesThePublishedPortTypesInOrder) {
    const publish::Answer a = get("/wsdl");
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/html");
    EXPECT_EQ(get("/wsdl/").content, a.content);
    // Every line ends with CR LF, the last one too.
    ASSERT_TRUE(a.content.ends_with("</center>\r\n</body></html>\r\n"));
    EXPECT_TRUE(a.content.starts_with("<html><head><title>velmora</title></head><style type=\"text/css\"><!--\r\n"));
    EXPECT_TRUE(contains(a.content,
                         "<tr><td class=\"h1Style\" align=\"center\">velmora - WebService Listing</td></tr>"
                         "</table>\r\n<center><br>\r\n<table border=1 cellspacing=1 cellpadding=2 >\r\n"));
    const std::string velmoraRow =
        "<tr>\r\n<td class=\"TblRow\">IVelmora</td>\r\n<td class=\"TblRow\">urn:VelmoraIntf-IVelmora</td>\r\n"
        "<td class=\"TblRow\">&nbsp;</td>\r\n<td class=\"TblRow\"><a href=\"http://example.com/velmora.cgi/wsdl/"
        "IVelmora\">IVelmora</a></td>\r\n</tr>\r\n";
    const std::string publishRow =
        "<tr>\r\n<td class=\"TblRow\">IWSDLPublish</td>\r\n<td class=\"TblRow\">" +
        std::string(publish::kWSDLPublishNamespace) +
        "</td>\r\n<td class=\"TblRow\">Lists all the PortTypes published by this Service</td>\r\n"
        "<td class=\"TblRow\"><a href=\"http://example.com/velmora.cgi/wsdl/IWSDLPublish\">IWSDLPublish</a></td>\r\n"
        "</tr>\r\n</table>\r\n";
    EXPECT_TRUE(contains(a.content, velmoraRow + publishRow)) << a.content;
    EXPECT_TRUE(contains(a.content,
                         "<td class=\"TblHdr\">Port Type</td>\r\n<td class=\"TblHdr\">Namespace URI</td>\r\n"
                         "<td class=\"TblHdr\">Documentation</td>\r\n<td class=\"TblHdr\">WSDL</td>\r\n"));

    const std::string hostile = get("/wsdl", "h\"><script>").content;
    EXPECT_FALSE(contains(hostile, "<script>"));
    EXPECT_TRUE(contains(hostile, "href=\"http://h&quot;&gt;&lt;script&gt;/velmora.cgi/wsdl/IVelmora\""));
}

TEST(PublisherRouting, OwnPortTypeIsListedLastAndUnimplementedOnesNotAtAll) {
    soap::InvRegistry registry;
    soap::RemTypeRegistry types;
    publish::registerWSDLPublish(registry, types);  // registered first, still listed last
    for (const char* name : {"IFirst", "IWithoutClass", "ISecond"}) {
        soap::InterfaceEntry entry;
        entry.name = name;
        entry.unit = "TestIntf";
        registry.registerInterface(entry);
        if (std::string_view(name) != "IWithoutClass") registry.registerInvokableClass({"T", name, nullptr});
    }
    const std::string page = publish::Publisher(settings(), registry, types).dispatch(request("/wsdl")).content;
    const std::size_t first = page.find(">IFirst<"), second = page.find(">ISecond<"), own = page.find(">IWSDLPublish<");
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, own);
    EXPECT_NE(own, std::string::npos);
    EXPECT_FALSE(contains(page, "IWithoutClass"));
}

TEST(PublisherRouting, FailureWhileBuildingGivesTheErrorPageWithStatus200ButTheServicePageThrows) {
    soap::InvRegistry registry;
    soap::RemTypeRegistry types;
    soap::InterfaceEntry broken;
    broken.name = "IBroken";
    broken.unit = "BrokenIntf";
    soap::Operation op;
    op.name = "Fetch";
    op.result = soap::ResultKind::RecordArray;  // with no record kind to name
    broken.operations.push_back(op);
    registry.registerInterface(broken);
    registry.registerInvokableClass({"TBroken", "IBroken", nullptr});
    const publish::Publisher publisher(settings(), registry, types);

    const publish::Answer a = publisher.dispatch(request("/wsdl/IBroken"));
    EXPECT_EQ(a.status, 200);
    EXPECT_EQ(a.contentType, "text/html");
    EXPECT_TRUE(
        a.content.starts_with("<html><head></head><style type=\"text/css\"><!--\r\nbody       { "
                              "font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 9pt; }\r\n"));
    EXPECT_TRUE(
        a.content.ends_with("--></style>\r\n<body><h1>Error: Operation Fetch returns records of no kind/"
                            "Exception</h1></body></html>"))
        << a.content;

    // The service page leaves its failures to the web module's error page.
    publish::Request detail = request("/");
    detail.query.lines = {"intf=IBroken"};
    EXPECT_THROW(publisher.servicePage(detail), velmora::Exception);
}

TEST(PublisherRouting, ProgramPathGivesTitleAndPortTable) {
    const publish::Settings s = publish::Settings::forProgram("/srv/cgi.d/velmora.cgi");
    EXPECT_EQ(s.title, "velmora");
    EXPECT_EQ(s.portTableFile, "/srv/cgi.d/velmora_WSDLADMIN.INI");
    const publish::Settings bare = publish::Settings::forProgram("/srv/cgi.d/svc");
    EXPECT_EQ(bare.title, "svc");
    EXPECT_EQ(bare.portTableFile, "/srv/cgi.d/svc_WSDLADMIN.INI");

    velmora::overrideExecutablePath("/tmp/other/x.y.exe");
    EXPECT_EQ(velmora::executablePath(), "/tmp/other/x.y.exe");
    EXPECT_EQ(publish::Settings::forProgram(velmora::executablePath()).title, "x.y");
    velmora::overrideExecutablePath({});
    EXPECT_EQ(publish::Settings::forProgram(velmora::executablePath()).title, "publish_tests");
}
