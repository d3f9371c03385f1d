// The SOAP envelopes written whole: the response of a call that answers a
// value (or nothing), the fault envelope and the dispatcher's fixed fault;
// and the frame every response shares, namespaces and prefixes included,
// which the record array writer builds on.
#pragma once

#include "soap/registries.h"
#include "soap/xml_writer.h"

#include <deque>
#include <exception>
#include <string>
#include <string_view>

namespace soap {

// --- The frame of a response

// Namespace prefixes in scope of the response element: the fixed ones of the
// Envelope (SOAP-ENV, xsd, xsi, SOAP-ENC), then "NS" + counter for each
// further namespace, declared on the response element (the root that holds
// the record elements).
class PrefixScope {
public:
    // The prefix of ns, generating and recording a declaration when new.
    std::string_view prefixFor(std::string_view ns);
    // "prefix:local" with the prefix of ns.
    std::string qualified(std::string_view ns, std::string_view local);
    // Declarations generated so far, as attributes of the current start tag.
    void declareGenerated(XmlWriter& w) const;

private:
    struct Generated {
        std::string ns;
        std::string prefix;
    };
    std::deque<Generated> generated_;  // prefixes handed out stay where they are
};

// The response element's name: the interface namespace's prefix, then the
// operation's name followed by "Response".
std::string responseElement(PrefixScope& scope, std::string_view interfaceNs, std::string_view operation);

// The declaration, Envelope, Body and the response element's start tag with
// the scope's declarations, left open for the result's element.
void startResponse(XmlWriter& w, const PrefixScope& scope, std::string_view responseElement);
// The end tags of the response element, Body and Envelope.
void endResponse(XmlWriter& w, std::string_view responseElement);

// --- Responses written whole

// The response envelope of operation `operation` of the interface whose
// namespace is `interfaceNs`. `result` must hold what `kind` says (nothing for
// ResultKind::None); an import's records are written by RecordArrayWriter.
// Throws on a value it cannot write; the caller then writes a fault.
std::string writeResponse(std::string_view interfaceNs, std::string_view operation, ResultKind kind,
                          const CallResult& result, const RemTypeRegistry& types);

// --- Faults

// What a fault envelope says.
struct FaultInfo {
    std::string message;
    std::string faultCode;  // empty: "Server"
    std::string faultActor;
    std::string detailType;  // non-empty: a detail element of this remotable type
};

std::string writeFault(const FaultInfo& fault);
// ERemotableException keeps its code, actor and type; any other error is a
// server fault carrying what() only.
std::string writeFault(const std::exception& error);

// The dispatcher's own fault, for a call whose interface cannot be chosen: a
// fixed text with the message inserted, sent with status 500.
std::string dispatcherFault(std::string_view message);

}  // namespace soap
