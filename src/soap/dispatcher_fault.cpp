#include "soap/dispatcher_fault.h"

#include "soap/xml_escape.h"

namespace soap {

namespace {

// Blanks and quotes as terminals have always received them.
constexpr std::string_view kHead =
    "<?xml version=\"1.0\" encoding='UTF-8'?> <SOAP-ENV:Envelope "
    "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" ><SOAP-ENV:Body> <SOAP-ENV:Fault> "
    "<faultcode>SOAP-ENV:Server</faultcode><faultstring>";
constexpr std::string_view kTail = "</faultstring></SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>";

}  // namespace

std::string dispatcherFault(std::string_view message) {
    std::string out;
    out.reserve(kHead.size() + message.size() + message.size() / 8 + kTail.size());
    out += kHead;
    appendXmlMinimal(out, message);
    out += kTail;
    return out;
}

}  // namespace soap
