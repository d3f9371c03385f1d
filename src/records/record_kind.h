// A record kind as data: the unit that names it on the wire, its record and
// array type names, its fields in declaration order with their reading rule
// (which gives their kind), and the statement that reads its pending records
// with the queue table name its rows carry; and the sink a kind's records
// are handed to, value by value.
#pragma once

#include <cstddef>
#include <cstdint>
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
    ReadRule rule;

    // Derived, never written down: a field typed otherwise than it is read
    // would be published as one type and sent as another.
    constexpr FieldKind kind() const noexcept {
        switch (rule) {
        case ReadRule::Real: return FieldKind::Real;
        case ReadRule::Integer: return FieldKind::Integer;
        case ReadRule::Text:
        case ReadRule::DateMinSec:   // the date's text
        case ReadRule::DateHourMin:  // the date's text
        case ReadRule::NotFilled:    // an empty text
            break;
        }
        return FieldKind::Text;
    }
};

struct RecordKind {
    std::string_view unit;        // e.g. "UClassCadoper": the type namespace is "urn:" + unit
    std::string_view recordType;  // e.g. "TRegistroCadoper"
    std::string_view arrayType;   // e.g. "TColCadoper"
    std::span<const FieldDef> fields;
    // Selects the kind's source rows joined with their pending queue rows of
    // ":PCodEmpresa" and ":PEcf", one result column per field read (by name)
    // and in queue order. Sent to the database exactly as written: terminals'
    // databases expect it so, and double-quoted constants are strings there
    // (client dialect 1).
    std::string_view statement = {};
    // The queue's name for the kind ("CADOPER"): its rows' integecf.tabela.
    std::string_view queueTable = {};
};

// Where an import's records go as the cursor delivers them: for each record,
// every field in declaration order with the value its kind says (a field
// never read is an empty text).
class RecordSink {
public:
    virtual ~RecordSink() = default;
    // Forget every record handed on so far: the read starts again.
    virtual void clear() = 0;
    virtual void beginRecord() = 0;
    // The text as the database's WIN1252 bytes; the view lasts for the call.
    virtual void text(std::size_t field, std::string_view win1252) = 0;
    virtual void real(std::size_t field, double value) = 0;
    virtual void integer(std::size_t field, std::int32_t value) = 0;
    virtual void endRecord() = 0;
};

// The service's kinds, one data file each (UClassProduto.cpp …) with its
// fields, its statement and its queue table. A new kind is a new data file,
// a line here and a row in the service's table of imports.
extern const RecordKind TRegistroProduto;
extern const RecordKind TRegistroCliente;
extern const RecordKind TRegistroCadoper;
extern const RecordKind TRegistroCadusua;
extern const RecordKind TRegistroVendend;
extern const RecordKind TRegistroCdoperc;
extern const RecordKind TRegistroFornece;
extern const RecordKind TRegistroPedidoc;
extern const RecordKind TRegistroPedidoi;
extern const RecordKind TRegistroDocurec;
extern const RecordKind TRegistroMovirec;

}  // namespace records
