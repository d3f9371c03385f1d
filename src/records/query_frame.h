// The frame every import reads with: a kind's statement joining its source
// table with the pending queue rows, each row handed on as it arrives, field
// by field by each field's reading rule. No table of all records is kept.
#pragma once

#include "db/conversions.h"
#include "db/transaction.h"
#include "records/record_kind.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace records {

// Hands the pending records of `kind` for the company and terminal to `sink`
// (cleared first), in the statement's order, and returns their count. Reads
// in `transaction`. Database errors, and the sink's, pass unchanged.
std::size_t CarregaRegistros(db::Transaction& transaction, const RecordKind& kind, std::string_view PCodEmpresa,
                             std::string_view PEcf, RecordSink& sink);

// The date text of the date rules: "dd.mm.yyyy nn:ss" (minutes and seconds:
// the hour is not written) or, with hourMinute, "dd.mm.yyyy hh:nn".
void appendDateText(const db::DateTime& moment, bool hourMinute, std::string& out);

}  // namespace records
