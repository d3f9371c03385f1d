// An import's answer as its records arrive: the records into a spool through
// tags made once per answer, then the envelope around them.
#include "soap/record_array_writer.h"

namespace soap {

RecordArrayWriter::RecordArrayWriter(std::string_view interfaceNs, std::string_view operation,
                                     const records::RecordKind& kind, const RemTypeRegistry& types, Coding coding)
    : response_(responseElement(scope_, interfaceNs, operation)), coding_(coding) {
    // Every name is settled before the response element's start tag is
    // written, so that the record namespace can be declared on it.
    const TypeEntry& record = types.recordClass(kind);
    recordElement_ = scope_.qualified(record.ns, record.xmlName);

    fields_.reserve(kind.fields.size());
    for (const records::FieldDef& f : kind.fields) {
        const TypeEntry& t = types.scalar(scalarTypeOf(f.kind()));
        fields_.push_back({ElementTags(f.name, "xsi:type", scope_.qualified(t.ns, t.xmlName)), {}, {}});
    }
    for (std::size_t f = 0; f + 1 < fields_.size(); ++f) {
        fields_[f].endThenStart = fields_[f].tags.end + fields_[f + 1].tags.start;
        fields_[f].endThenEmpty = fields_[f].tags.end + fields_[f + 1].tags.empty;
    }
}

void RecordArrayWriter::clear() {
    records_.clear();
    out_ = XmlWriter(records_.buffer());
    count_ = 0;
    unclosed_ = nullptr;
}

// Identifiers run 1, 2, 3 ... in item order: every record is written once.
void RecordArrayWriter::beginRecord() {
    const std::string id = std::to_string(++count_);
    out_.start(recordElement_).attribute("id", id).attribute("xsi:type", recordElement_);
    unclosed_ = nullptr;
}

// The markup before a field's value: the end tag of the field before it (when
// that one had content) joined with this field's start tag.
inline void RecordArrayWriter::openField(std::size_t field, bool empty) {
    const FieldTags& t = fields_[field];
    const std::string& tags =
        unclosed_ ? (empty ? unclosed_->endThenEmpty : unclosed_->endThenStart) : (empty ? t.tags.empty : t.tags.start);
    out_.markup(tags);
    unclosed_ = empty ? nullptr : &t;
}

void RecordArrayWriter::text(std::size_t field, std::string_view win1252) {
    openField(field, win1252.empty());
    out_.win1252Text(win1252);
}

void RecordArrayWriter::real(std::size_t field, double value) {
    openField(field, false);
    out_.real(value);
}

void RecordArrayWriter::integer(std::size_t field, std::int32_t value) {
    openField(field, false);
    out_.integer(value);
}

void RecordArrayWriter::endRecord() {
    if (unclosed_) out_.markup(unclosed_->tags.end);
    out_.end(recordElement_);
    records_.spillIfFull();
}

velmora::Body RecordArrayWriter::finish() {
    // The start, the array with its count and the item list, which may be
    // long enough to be spooled itself.
    Spool head(coding_);
    XmlWriter w(head.buffer());
    startResponse(w, scope_, response_);
    w.start("return")
        .attribute("xsi:type", "SOAP-ENC:Array")
        .attribute("SOAP-ENC:arrayType", recordElement_ + '[' + std::to_string(count_) + ']');
    std::string href;
    for (std::size_t r = 1; r <= count_; ++r) {
        href = '#' + std::to_string(r);
        w.start("item").attribute("href", href).end("item");
        head.spillIfFull();
    }
    w.end("return");

    std::string tail;
    XmlWriter end(tail);
    endResponse(end, response_);

    std::vector<Spool> parts;
    parts.push_back(std::move(head));
    parts.push_back(std::move(records_));
    parts.emplace_back(std::move(tail), coding_);
    return makeBody(std::move(parts));
}

}  // namespace soap
