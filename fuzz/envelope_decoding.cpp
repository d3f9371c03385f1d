// Fuzz target: any bytes as the body of a SOAP call, decoded for an
// IVelmora-shaped interface whose operations echo their parameters, then
// invoked and answered. Properties: decoding fails only with the service's
// own errors; every answer is well-formed XML; a decoding failure comes back
// as a fault carrying its message; a decoded call's parameters come back
// unchanged in the records, the real or the fault the echo operations make.
#include "common/exception.h"
#include "common/win1252.h"
#include "soap/dispatcher.h"
#include "soap/envelope_reader.h"
#include "support/body_text.h"
#include "support/echo_service.h"
#include "support/fuzz_check.h"
#include "support/real_text.h"
#include "support/xml_answer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using namespace fuzzsupport;

namespace {

std::string attribute(const xmlNode* element, const char* local) {
    for (const xmlAttr* a = element->properties; a; a = a->next)
        if (std::string_view(reinterpret_cast<const char*>(a->name)) == local) return textOf(a->children);
    return "<absent>";
}

void checkFault(const XmlAnswer& answer, const std::string& message, const char* code, const std::string& xml) {
    const xmlNode* fault = answer.find("Fault");
    check(fault != nullptr, "a failure is answered with a fault", xml);
    check(textOf(child(fault, "faultcode")) == code, "the fault code", xml);
    if (isXmlText(message))
        check(textOf(child(fault, "faultstring")) == message, "the fault carries the failure's message", xml);
}

void checkImport(const XmlAnswer& answer, const soap::Params& p, const std::string& xml) {
    const xmlNode* ret = answer.find("return");
    check(ret != nullptr && attribute(ret, "arrayType").ends_with("TRegistroCadoper[2]"), "an array of two records",
          xml);
    std::vector<const xmlNode*> records;
    for (const xmlNode* c = ret->parent->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && xmlStrEqual(c->name, BAD_CAST "TRegistroCadoper")) records.push_back(c);
    check(records.size() == 2, "two record elements beside the array", xml);
    for (int swap = 0; swap < 2; ++swap) {
        const std::string& a = p[swap];
        const std::string& b = p[1 - swap];
        // Through WIN1252, as the database has it.
        check(textOf(child(records[swap], "Codoper")) == velmora::win1252ToUtf8(velmora::utf8ToWin1252(a)),
              "a text field holds the parameter read", xml);
        check(textOf(child(records[swap], "Nome")) == velmora::win1252ToUtf8(velmora::utf8ToWin1252(b)),
              "a text field holds the parameter read", xml);
        check(textOf(child(records[swap], "Historicocliente")) == std::to_string(integerFrom(b)),
              "an integer field in decimal", xml);
        checkRealText(textOf(child(records[swap], "Limite")), realFrom(a));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static EchoService service;
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const soap::InterfaceEntry& interface = *service.registry.findByName("IVelmora");

    // Anything but the service's own errors escapes and is reported as a crash.
    std::optional<soap::DecodedCall> call;
    std::string error;
    const char* code = "SOAP-ENV:Server";
    try {
        call = soap::decodeRequest(body, interface);
    } catch (const velmora::ERemotableException& e) {
        error = e.what();
        code = "SOAP-ENV:MustUnderstand";
    } catch (const velmora::Exception& e) {
        error = e.what();
    }

    velmora::CallSummary summary;
    const std::string xml =
        testsupport::bodyText(soap::invokeSoap(service.registry, service.types, "", "/soap/IVelmora", body, summary));
    const XmlAnswer answer(xml);
    check(answer.wellFormed(), "every answer is well-formed XML", xml);

    if (!call) return checkFault(answer, error, code, xml), 0;

    check(call->operation != nullptr && call->params.size() == call->operation->paramNames.size(),
          "a decoded call names an operation and has one text per parameter");
    for (const std::string& p : call->params) check(isXmlText(p), "parameters read from XML are XML text", p);

    const std::string& op = call->operation->name;
    if (op == "ImportaOperadores") {
        checkImport(answer, call->params, xml);
    } else if (op == "BuscaEstoque") {
        const xmlNode* ret = answer.find("return");
        check(ret != nullptr, "the stock answer has a return", xml);
        checkRealText(textOf(ret), realFrom(call->params[1]));
    } else if (!call->params[2].empty()) {
        checkFault(answer, call->params[2], "SOAP-ENV:Server", xml);
    } else {
        const xmlNode* response = answer.find("DeletaIntegECFResponse");
        check(response != nullptr && response->children == nullptr, "an empty acknowledgement answer", xml);
    }
    return 0;
}
