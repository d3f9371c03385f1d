// An import's answer, written as the cursor delivers the records: each
// record element goes straight into a spool (memory, then an unlinked
// temporary file), nothing else of a record is kept.
#pragma once

#include "records/record_kind.h"
#include "soap/envelope_writer.h"
#include "soap/registries.h"
#include "soap/spool.h"
#include "soap/xml_writer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace soap {

// Records are SOAP-encoded multi-reference values: the "return" array lists
// one <item href="#n"/> per record, and the records follow it inside the
// response element, each with id="n" and its type. When the count is known,
// finish() puts the envelope's start with the array and its item list before
// the spooled records and the envelope's end after them. With a gzip coding
// the records are compressed as they are spooled, and the envelope's start
// and end become stretches of the same gzip member.
class RecordArrayWriter final : public records::RecordSink {
public:
    RecordArrayWriter(std::string_view interfaceNs, std::string_view operation, const records::RecordKind& kind,
                      const RemTypeRegistry& types, Coding coding = Coding::Identity);
    RecordArrayWriter(const RecordArrayWriter&) = delete;  // the writer holds its spool's buffer
    RecordArrayWriter& operator=(const RecordArrayWriter&) = delete;

    void clear() override;
    void beginRecord() override;
    void text(std::size_t field, std::string_view win1252) override;
    void real(std::size_t field, double value) override;
    void integer(std::size_t field, std::int32_t value) override;
    void endRecord() override;

    std::size_t count() const noexcept { return count_; }
    // The whole answer; the writer is spent.
    velmora::Body finish();

private:
    // The tags of one field, made once per answer; the markup between two
    // values goes out in one piece, the end tag of one field joined with
    // the start of the next: a record of 166 fields is then half as many
    // writes.
    struct FieldTags {
        ElementTags tags;
        std::string endThenStart;  // tags.end + the next field's start
        std::string endThenEmpty;  // tags.end + the next field's empty element
    };

    void openField(std::size_t field, bool empty);

    PrefixScope scope_;
    std::string response_;       // the response element's name
    std::string recordElement_;  // the records' element and type name: "NS2:TRegistroCadoper"
    std::vector<FieldTags> fields_;
    Coding coding_;
    Spool records_{coding_};
    XmlWriter out_{records_.buffer()};
    std::size_t count_ = 0;
    const FieldTags* unclosed_ = nullptr;  // the field before, when its element awaits its end tag
};

}  // namespace soap
