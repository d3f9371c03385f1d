// Every byte of a SOAP answer: the response envelope (records included), the
// fault envelope and the dispatcher's fixed fault, with the small streaming
// XML writer and the escaping they use (the publisher's documents use both).
#pragma once

#include "records/query_frame.h"
#include "soap/registries.h"
#include "soap/spool.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace soap {

// --- Escaping, done once as the text is appended. What XML 1.0 cannot carry
// (C0 controls other than tab, LF and CR, U+FFFE, U+FFFF, malformed UTF-8)
// becomes U+FFFD, so the document stays well-formed.

// Element content: &, <, > as entity references, CR as "&#13;" so that a
// reader's end-of-line handling cannot turn it into LF.
void appendXmlText(std::string& out, std::string_view utf8);
// The same for a database text, converted from WIN1252 on the way.
void appendWin1252XmlText(std::string& out, std::string_view win1252);

// Attribute value in double quotes: &, <, " as entity references, tab, LF and
// CR as character references so that attribute normalisation keeps them.
void appendXmlAttribute(std::string& out, std::string_view utf8);

// --- The streaming XML writer: appends markup to one string as it goes. No
// tree is built; the caller keeps the order.

class XmlWriter {
public:
    explicit XmlWriter(std::string& out) : out_(out) {}

    std::string& buffer() noexcept { return out_; }

    // <?xml version="1.0"?>, without an encoding attribute.
    XmlWriter& declaration();
    // Opens "<qname"; attributes may follow until content or end().
    XmlWriter& start(std::string_view qname);
    XmlWriter& attribute(std::string_view qname, std::string_view value);
    // xmlns:prefix="ns", an attribute like any other.
    XmlWriter& namespaceDeclaration(std::string_view prefix, std::string_view ns);
    XmlWriter& text(std::string_view utf8);
    // Markup the caller vouches for.
    XmlWriter& raw(std::string_view markup);
    // Closes the innermost element: "/>" when it has no content yet.
    XmlWriter& end(std::string_view qname);
    // Element with text content (or empty).
    XmlWriter& element(std::string_view qname, std::string_view utf8);

private:
    XmlWriter& writeAttribute(std::string_view namePrefix, std::string_view name, std::string_view value);
    void closeStartTag();

    std::string& out_;
    bool tagOpen_ = false;
};

// --- Envelopes

// The response envelope of operation `operation` of the interface whose
// namespace is `interfaceNs`. `result` must hold what `kind` says (nothing for
// ResultKind::None); an import's records are written by RecordArrayWriter.
// Throws on a value it cannot write; the caller then writes a fault.
std::string writeResponse(std::string_view interfaceNs, std::string_view operation, ResultKind kind,
                          const CallResult& result, RemTypeRegistry& types = RemTypeRegistry::instance());

struct FieldTags;

// An import's response, written as the cursor delivers the records: each
// record element goes straight into a spool (memory, then an unlinked
// temporary file), nothing else of a record is kept. When the count is known,
// finish() puts the envelope's start with the "return" array and its item
// list before the spooled records and the envelope's end after them.
class RecordArrayWriter final : public records::RecordSink {
public:
    RecordArrayWriter(std::string_view interfaceNs, std::string_view operation, const records::RecordKind& kind,
                      RemTypeRegistry& types = RemTypeRegistry::instance());
    ~RecordArrayWriter() override;

    void clear() override;
    void beginRecord() override;
    void text(std::size_t field, std::string_view win1252) override;
    void real(std::size_t field, double value) override;
    void integer(std::size_t field, std::int32_t value) override;
    void endRecord() override;

    std::size_t count() const noexcept { return count_; }
    const records::RecordKind& kind() const noexcept { return kind_; }
    // The whole answer; the writer is spent.
    Body finish();

private:
    void openField(std::size_t field, bool empty);

    const records::RecordKind& kind_;
    std::string responseName_;
    std::string recordPrefix_;
    std::string recordType_;
    std::vector<FieldTags> tags_;
    std::string start_;  // the answer up to the array's count
    std::string recordOpen_, recordTypeAttribute_, recordClose_;
    Spool records_;
    std::size_t count_ = 0;
    const FieldTags* unclosed_ = nullptr;  // the field before, when its element awaits its end tag
};

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
