// The built CGI program answering description requests as a web server
// would run it: response heads, routing of every method, the program's own
// title and port table file.
#include "publish_test_support.h"
#include "support/cgi_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

using namespace publishtest;
using testsupport::CgiRun;
using testsupport::runCgi;
using testsupport::velmoraCgiPath;

namespace {

std::vector<std::string> env(const std::string& method, const std::string& path, std::vector<std::string> more = {}) {
    more.push_back("REQUEST_METHOD=" + method);
    if (!path.empty()) more.push_back("PATH_INFO=" + path);
    more.push_back("SERVER_PROTOCOL=HTTP/1.1");
    more.push_back("SCRIPT_NAME=/cgi-bin/velmora.cgi");
    more.push_back("SERVER_PORT=8080");
    bool host = false;
    for (const std::string& m : more) host = host || m.starts_with("HTTP_HOST=");
    if (!host) more.push_back("HTTP_HOST=pos.example");
    return more;
}

struct Response {
    std::string head;
    std::string body;
};

Response split(const CgiRun& run) {
    const std::size_t end = run.output.find("Content:\r\n\r\n");
    if (end == std::string::npos) return {run.output, {}};
    return {run.output.substr(0, end + 12), run.output.substr(end + 12)};
}

Response get(const std::string& path, std::vector<std::string> more = {}, const std::string& method = "GET") {
    const CgiRun run = runCgi(velmoraCgiPath(), env(method, path, std::move(more)), "");
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    return split(run);
}

std::string head(const std::string& status, const std::string& type, std::size_t length) {
    return "Status: " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " + std::to_string(length) +
           "\r\nContent:\r\n\r\n";
}

bool isServicePage(const Response& r) {
    return r.head == head("200 OK", "text/html", r.body.size()) && contains(r.body, "velmora - Service Info Page");
}

}  // namespace

TEST(CgiPublish, WsdlDocumentGoesOutAsXmlWithItsLength) {
    const Response r = get("/wsdl/IVelmora");
    EXPECT_EQ(r.head, head("200 OK", "text/xml", r.body.size()));
    const Xml x(r.body);
    ASSERT_TRUE(x.wellFormed());
    EXPECT_EQ(x.count("//w:portType/w:operation"), 13);
    EXPECT_EQ(x.text("//soap:address/@location"), "http://pos.example:8080/cgi-bin/velmora.cgi/soap/IVelmora");
    // Behind a web server that terminates TLS.
    const Response tls = get("/wsdl/IVelmora", {"HTTPS=on", "SERVER_PORT=443"});
    EXPECT_EQ(Xml(tls.body).text("//soap:address/@location"), "https://pos.example/cgi-bin/velmora.cgi/soap/IVelmora");

    const Response listing = get("/wsdl/", {}, "POST");
    EXPECT_EQ(listing.head, head("200 OK", "text/html", listing.body.size()));
    EXPECT_LT(listing.body.find(">IVelmora<"), listing.body.find(">IWSDLPublish<"));
}

TEST(CgiPublish, RefusalsAndEmptyAnswersKeepTheirHeads) {
    const Response forbidden = get("/wsdl/admin/x");
    EXPECT_EQ(forbidden.head, head("403 Forbidden", "text/html", forbidden.body.size()));
    EXPECT_TRUE(contains(forbidden.body, "Access Forbidden"));

    // Nothing matched: no content type, no length, no body.
    for (const char* method : {"GET", "DELETE"})
        EXPECT_EQ(get("/WSDL", {}, method).head, "Status: 200 OK\r\nContent:\r\n\r\n") << method;
    EXPECT_EQ(get("/WSDL").body, "");

    const Response missing = get("/wsdl/INoSuch");
    EXPECT_EQ(missing.head, head("200 OK", "text/html", missing.body.size()));
    EXPECT_TRUE(contains(missing.body, "Interface INoSuch not found"));
}

TEST(CgiPublish, EveryOtherRequestGetsTheServicePage) {
    for (const char* method : {"GET", "HEAD", "PUT", "DELETE", "OPTIONS"})
        EXPECT_TRUE(isServicePage(get("/soap/IVelmora", {}, method))) << method;
    for (const char* path : {"/", "/unknown", "", "/x/soap"}) EXPECT_TRUE(isServicePage(get(path))) << path;
    EXPECT_TRUE(isServicePage(get("/", {}, "POST")));

    const Response wsil = get("/INSPECTION.WSIL");
    EXPECT_EQ(wsil.head, head("200 OK", "text/xml", wsil.body.size()));
    EXPECT_EQ(Xml(wsil.body).count("//wsil:service"), 2);
}

TEST(CgiPublish, QueryFieldsAndHostileValues) {
    const Response detail = get("/", {"QUERY_STRING=intf=IVelmora&types=1"});
    EXPECT_TRUE(contains(detail.body, "<span class=\"IntfName\">IVelmora</span>"));
    EXPECT_TRUE(contains(detail.body, "Registered Types"));

    const Response broken = get("/", {"QUERY_STRING=intf=IVelmora&x=%zz&types=1"});
    EXPECT_TRUE(isServicePage(broken));
    EXPECT_TRUE(contains(broken.body, "<span class=\"IntfName\">IVelmora</span>"));
    EXPECT_FALSE(contains(broken.body, "Registered Types"));

    const Response hostile = get("/", {"HTTP_HOST=<script>alert(1)</script>"});
    EXPECT_TRUE(isServicePage(hostile));
    EXPECT_FALSE(contains(hostile.body, "<script>"));
    EXPECT_TRUE(contains(hostile.body, "http://&lt;script&gt;alert(1)&lt;/script&gt;:8080/cgi-bin/velmora.cgi"));
    EXPECT_FALSE(contains(get("/wsdl/<script>").body, "<script>"));
}

TEST(CgiPublish, WSDLPublishAnswersItsAdvertisedAction) {
    const std::string body =
        "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\">"
        "<SOAP-ENV:Body><GetPortTypeList/></SOAP-ENV:Body></SOAP-ENV:Envelope>";
    const std::string action = "HTTP_SOAPACTION=\"" + std::string(publish::kWSDLPublishNamespace) + "-IWSDLPublish\"";
    const CgiRun run = runCgi(
        velmoraCgiPath(),
        env("POST", "/soap", {"CONTENT_TYPE=text/xml", "CONTENT_LENGTH=" + std::to_string(body.size()), action}), body);
    const Response r = split(run);
    EXPECT_EQ(r.head, head("200 OK", "text/xml", r.body.size()));
    EXPECT_EQ(Xml(r.body).text("//return/item[2]"), "IWSDLPublish");
}

// A copy of the program under another name reads its own port table file and
// titles its pages with its own name.
TEST(CgiPublish, ProgramNameGivesTitleAndPortTable) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / ("publish_cgi_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path program = dir / "caixa.cgi";
    fs::copy_file(velmoraCgiPath(), program, fs::copy_options::overwrite_existing);
    std::ofstream(dir / "caixa_WSDLADMIN.INI") << "[IVelmora]\nLoja1=http://loja1/caixa.cgi/soap/IVelmora\n"
                                                  "Loja2=http://loja2/caixa.cgi/soap/IVelmora\n";

    const CgiRun page = runCgi(program.string(), env("GET", "/"), "");
    EXPECT_TRUE(contains(page.output, "<title>caixa</title>"));
    EXPECT_TRUE(contains(page.output, "caixa - PortTypes:"));

    const Xml wsdl(split(runCgi(program.string(), env("GET", "/wsdl/IVelmora"), "")).body);
    ASSERT_TRUE(wsdl.wellFormed());
    EXPECT_EQ(wsdl.count("//w:service/w:port"), 2);
    EXPECT_EQ(wsdl.text("//w:service/w:port[2]/soap:address/@location"), "http://loja2/caixa.cgi/soap/IVelmora");
    // IWSDLPublish has no section: its default port.
    const Xml own(split(runCgi(program.string(), env("GET", "/wsdl/IWSDLPublish"), "")).body);
    EXPECT_EQ(own.text("//w:service/w:port/@name"), "IWSDLPublishPort");

    fs::remove_all(dir);
}
