#include "support/collected_records.h"

#include "common/win1252.h"

#include <gtest/gtest.h>

namespace testsupport {

std::size_t CollectedRecords::field(std::string_view name) const {
    const auto fields = kind_->fields;
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (fields[f].name == name) return f;
    ADD_FAILURE() << kind_->recordType << " has no field " << name;
    return 0;
}

std::vector<std::string> CollectedRecords::texts(std::string_view fieldName) const {
    const std::size_t f = field(fieldName);
    std::vector<std::string> out;
    for (std::size_t r = 0; r < size(); ++r) out.push_back(textAt(r, f));
    return out;
}

void CollectedRecords::text(std::size_t field, std::string_view win1252) {
    setText(field, velmora::win1252ToUtf8(win1252));
}

void CollectedRecords::replay(records::RecordSink& sink) const {
    sink.clear();
    const auto fields = kind_->fields;
    for (const std::vector<Value>& record : records_) {
        sink.beginRecord();
        for (std::size_t f = 0; f < fields.size(); ++f) {
            switch (fields[f].kind()) {
            case records::FieldKind::Text: sink.text(f, velmora::utf8ToWin1252(record[f].text)); break;
            case records::FieldKind::Real: sink.real(f, record[f].real); break;
            case records::FieldKind::Integer: sink.integer(f, record[f].integer); break;
            }
        }
        sink.endRecord();
    }
}

}  // namespace testsupport
