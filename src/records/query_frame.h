// The frame every query class follows: a fixed statement joining a source
// table with its pending queue rows, read into a RecordArray field by field.
#pragma once

#include "db/connection.h"
#include "records/record_array.h"

#include <string_view>

namespace records {

class TDao {
public:
    TDao(db::Connection& connection, const RecordKind& kind, std::string_view sql, std::string_view queueTable)
        : connection_(connection), kind_(kind), sql_(sql), queueTable_(queueTable) {}
    virtual ~TDao() = default;

    std::string_view RetornaSQL() const noexcept { return sql_; }
    std::string_view queueTableName() const noexcept { return queueTable_; }
    const RecordKind& kind() const noexcept { return kind_; }

    // Replaces result's records with the pending records of the company and
    // terminal, in the statement's order. Database errors pass unchanged.
    void CarregaRegistros(std::string_view PCodEmpresa, std::string_view PEcf, RecordArray& result) const;

private:
    db::Connection& connection_;
    const RecordKind& kind_;
    std::string_view sql_;
    std::string_view queueTable_;
};

}  // namespace records
