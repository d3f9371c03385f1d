// Reads a document the way a client would (libxml2), to prove that what the
// layer writes is well-formed and says what it should.
#pragma once

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace soaptest {

class ParsedXml {
public:
    explicit ParsedXml(std::string_view xml)
        : doc_(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)) {}
    ~ParsedXml() { xmlFreeDoc(doc_); }
    ParsedXml(const ParsedXml&) = delete;
    ParsedXml& operator=(const ParsedXml&) = delete;

    bool wellFormed() const { return doc_ != nullptr; }

    // The string value of an XPath expression; prefixes env, enc, ns1 (the
    // interface) and rec (the operator records) are bound.
    std::string text(const std::string& xpath) const { return eval("string(" + xpath + ")"); }
    int count(const std::string& xpath) const { return std::stoi(eval("count(" + xpath + ")")); }

private:
    std::string eval(const std::string& expr) const {
        if (!doc_) return "<not well-formed>";
        xmlXPathContextPtr ctx = xmlXPathNewContext(doc_);
        auto bind = [ctx](const char* p, const char* ns) { xmlXPathRegisterNs(ctx, BAD_CAST p, BAD_CAST ns); };
        bind("env", "http://schemas.xmlsoap.org/soap/envelope/");
        bind("enc", "http://schemas.xmlsoap.org/soap/encoding/");
        bind("xsi", "http://www.w3.org/2001/XMLSchema-instance");
        bind("ns1", "urn:VelmoraIntf-IVelmora");
        bind("rec", "urn:UClassCadoper");
        xmlXPathObjectPtr r = xmlXPathEvalExpression(BAD_CAST expr.c_str(), ctx);
        std::string out;
        if (r) {
            xmlChar* s = xmlXPathCastToString(r);
            out = reinterpret_cast<const char*>(s);
            xmlFree(s);
            xmlXPathFreeObject(r);
        }
        xmlXPathFreeContext(ctx);
        return out;
    }

    xmlDocPtr doc_;
};

}  // namespace soaptest
