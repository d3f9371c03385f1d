// The demo database (schema and sample data) behind the real service, called
// the way a terminal calls it: a SOAP envelope through the dispatcher, with
// the INI file that ConectaBanco reads written beside a stand-in program
// directory. The answer is read back with libxml2, as a client would.
#pragma once

#include "db/FuncoesIntegECF.h"
#include "db/statement.h"
#include "service/VelmoraIntf.h"
#include "soap/dispatcher.h"
#include "support/demo_script.h"
#include "support/program_directory.h"
#include "support/test_database.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace servicetest {

using testsupport::demoScript;

// An element's parts as a client sees them.
inline std::string name(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }
inline std::string nsUri(const xmlNode* n) { return n->ns ? reinterpret_cast<const char*>(n->ns->href) : ""; }
inline std::string nsPrefix(const xmlNode* n) {
    return n->ns && n->ns->prefix ? reinterpret_cast<const char*>(n->ns->prefix) : "";
}
inline std::string content(const xmlNode* n) {
    xmlChar* c = xmlNodeGetContent(n);
    std::string s = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return s;
}
// An attribute by local name and namespace ("" for none); "<absent>" when missing.
inline std::string attribute(const xmlNode* n, const char* local, const char* ns = "") {
    xmlChar* v = *ns ? xmlGetNsProp(n, BAD_CAST local, BAD_CAST ns) : xmlGetNoNsProp(n, BAD_CAST local);
    std::string s = v ? reinterpret_cast<const char*>(v) : "<absent>";
    xmlFree(v);
    return s;
}
inline std::vector<const xmlNode*> children(const xmlNode* n) {
    std::vector<const xmlNode*> out;
    for (const xmlNode* c = n ? n->children : nullptr; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE) out.push_back(c);
    return out;
}
// The namespace a prefix is declared for on this very element.
inline std::string declared(const xmlNode* n, const char* prefix) {
    for (const xmlNs* d = n->nsDef; d; d = d->next)
        if (d->prefix && std::string_view(reinterpret_cast<const char*>(d->prefix)) == prefix)
            return reinterpret_cast<const char*>(d->href);
    return "<undeclared>";
}

inline constexpr const char* kXsi = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr const char* kEnc = "http://schemas.xmlsoap.org/soap/encoding/";
inline constexpr const char* kEnv = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr const char* kInterfaceNs = "urn:VelmoraIntf-IVelmora";

class ParsedAnswer {
public:
    explicit ParsedAnswer(const std::string& xml)
        : doc_(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)) {}
    ~ParsedAnswer() { xmlFreeDoc(doc_); }
    ParsedAnswer(const ParsedAnswer&) = delete;
    ParsedAnswer& operator=(const ParsedAnswer&) = delete;

    bool wellFormed() const { return doc_ != nullptr; }
    // Envelope > Body > the response element.
    const xmlNode* response() const {
        const xmlNode* env = doc_ ? xmlDocGetRootElement(doc_) : nullptr;
        if (!env || name(env) != "Envelope" || nsUri(env) != kEnv) return nullptr;
        const auto body = children(env);
        if (body.size() != 1 || name(body[0]) != "Body" || nsUri(body[0]) != kEnv) return nullptr;
        const auto inner = children(body[0]);
        return inner.size() == 1 ? inner[0] : nullptr;
    }

private:
    xmlDocPtr doc_;
};

class DemoService : public ::testing::Test {
protected:
    void SetUp() override {
        static std::once_flag registered;
        std::call_once(registered, [] { service::registerVelmora(); });
        programDirectory_.emplace(database.params());
    }
    void TearDown() override { programDirectory_.reset(); }

    // One call of IVelmora, parameters in order, chosen by SOAP action.
    soap::HttpAnswer call(const std::string& operation,
                          const std::vector<std::pair<std::string, std::string>>& params) {
        std::string body =
            "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
            "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\"><SOAP-ENV:Body "
            "SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><NS1:" +
            operation + " xmlns:NS1=\"urn:VelmoraIntf-IVelmora\">";
        for (const auto& [n, v] : params) body += "<" + n + " xsi:type=\"xsd:string\">" + v + "</" + n + ">";
        body += "</NS1:" + operation + "></SOAP-ENV:Body></SOAP-ENV:Envelope>";
        return soap::dispatchSoap(soap::InvRegistry::instance(), soap::RemTypeRegistry::instance(),
                                  "\"urn:VelmoraIntf-IVelmora#" + operation + "\"", "/soap", "text/xml", body);
    }
    soap::HttpAnswer import(const std::string& operation, const std::string& empresa = "1",
                            const std::string& ecf = "001") {
        return call(operation, {{"PCodEmpresa", empresa}, {"PEcf", ecf}});
    }

    // The table's columns in declared order, named as record fields are
    // (first letter capital, the rest lower case).
    std::vector<std::string> columnsAsFields(const std::string& table) {
        std::string upper = table;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        db::Connection c;
        c.open(database.params());
        db::Transaction reading(c, db::Isolation::ReadOnly);
        db::Statement s(reading, "select trim(rdb$field_name) from rdb$relation_fields where rdb$relation_name = '" +
                                     upper + "' order by rdb$field_position");
        db::Cursor r = s.open();
        std::vector<std::string> out;
        while (r.next()) {
            std::string n = r.text(0);
            for (std::size_t i = 1; i < n.size(); ++i)
                n[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(n[i])));
            out.push_back(n);
        }
        return out;
    }

    testsupport::TestDatabase database{demoScript("schema.sql") + demoScript("data.sql")};

private:
    std::optional<testsupport::ProgramDirectory> programDirectory_;
};

}  // namespace servicetest
