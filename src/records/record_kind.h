// A record kind as data: the unit that names it on the wire, its record and
// array type names, and its fields in declaration order with kind and rule.
#pragma once

#include <span>
#include <string_view>

namespace records {

// What a field holds, and so how it is typed on the wire.
enum class FieldKind { Text, Real, Integer };

// How a field is read from its result column.
enum class ReadRule {
    Text,         // the column as text
    Real,         // the column as a 64-bit real
    Integer,      // the column as a 32-bit integer, halves to even
    DateMinSec,   // date-time as "dd.mm.yyyy nn:ss"
    DateHourMin,  // date-time as "dd.mm.yyyy hh:nn"
    NotFilled     // declared, never selected: stays empty
};

struct FieldDef {
    std::string_view name;
    FieldKind kind;
    ReadRule rule;
};

struct RecordKind {
    std::string_view unit;        // e.g. "UClassCadoper": the type namespace is "urn:" + unit
    std::string_view recordType;  // e.g. "TRegistroCadoper"
    std::string_view arrayType;   // e.g. "TColCadoper"
    std::span<const FieldDef> fields;
};

}  // namespace records
