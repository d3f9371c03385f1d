// Shared pieces of the publisher's tests: the registries as the program sets
// them up, requests, and a libxml2 reader with XPath for the documents.
#pragma once

#include "publish/publisher.h"
#include "publish/wsdl_publish.h"
#include "service/VelmoraIntf.h"

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>
#include <string>
#include <string_view>

namespace publishtest {

// IVelmora and IWSDLPublish in the process-wide registries, in the
// program's order.
inline const soap::InvRegistry& serviceRegistry() {
    static const bool once = [] {
        service::registerVelmora();
        publish::registerWSDLPublish();
        return true;
    }();
    (void)once;
    return soap::InvRegistry::instance();
}
inline const soap::RemTypeRegistry& serviceTypes() {
    serviceRegistry();
    return soap::RemTypeRegistry::instance();
}

inline publish::Request request(std::string path, std::string host = "example.com", std::int64_t port = 80,
                                bool https = false) {
    publish::Request r;
    r.https = https;
    r.pathInfo = std::move(path);
    r.host = std::move(host);
    r.serverPort = port;
    r.scriptName = "/velmora.cgi";
    return r;
}

inline publish::Settings settings(std::string portTableFile = {}) {
    publish::Settings s;
    s.title = "velmora";
    s.portTableFile = std::move(portTableFile);
    return s;
}

// A parsed document read through XPath; prefixes w (WSDL), xs, soap (WSDL
// SOAP binding), wsil and enc (SOAP envelope) are bound.
class Xml {
public:
    explicit Xml(std::string_view text)
        : doc_(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)) {}
    bool wellFormed() const { return doc_ != nullptr; }
    xmlNode* root() const { return xmlDocGetRootElement(doc_.get()); }

    std::string text(const std::string& xpath) const { return eval("string(" + xpath + ")"); }
    int count(const std::string& xpath) const { return std::stoi(eval("count(" + xpath + ")")); }

private:
    std::string eval(const std::string& expr) const {
        if (!doc_) return "0";
        std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> ctx(xmlXPathNewContext(doc_.get()),
                                                                             xmlXPathFreeContext);
        const auto bind = [&](const char* prefix, const char* ns) {
            xmlXPathRegisterNs(ctx.get(), BAD_CAST prefix, BAD_CAST ns);
        };
        bind("w", "http://schemas.xmlsoap.org/wsdl/");
        bind("xs", "http://www.w3.org/2001/XMLSchema");
        bind("soap", "http://schemas.xmlsoap.org/wsdl/soap/");
        bind("wsil", "http://schemas.xmlsoap.org/ws/2001/10/inspection/");
        bind("enc", "http://schemas.xmlsoap.org/soap/envelope/");
        std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
            xmlXPathEvalExpression(BAD_CAST expr.c_str(), ctx.get()), xmlXPathFreeObject);
        if (!result) return "<bad xpath>";
        xmlChar* s = xmlXPathCastToString(result.get());
        std::string out = reinterpret_cast<const char*>(s);
        xmlFree(s);
        return out;
    }

    struct Free {
        void operator()(xmlDoc* d) const noexcept { xmlFreeDoc(d); }
    };
    std::unique_ptr<xmlDoc, Free> doc_;
};

inline bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace publishtest
