// The frame every import reads with: a kind's statement joining its source
// table with the pending queue rows, read into a RecordArray field by field
// by each field's reading rule.
#pragma once

#include "db/connection.h"
#include "db/conversions.h"
#include "records/record_array.h"

#include <string>
#include <string_view>

namespace records {

// Replaces result's records with the pending records of its kind for the
// company and terminal, in the statement's order. Runs in the connection's
// current transaction, if any. Database errors pass unchanged.
void CarregaRegistros(db::Connection& connection, std::string_view PCodEmpresa, std::string_view PEcf,
                      RecordArray& result);

// The date text of the date rules: "dd.mm.yyyy nn:ss" (minutes and seconds:
// the hour is not written) or, with hourMinute, "dd.mm.yyyy hh:nn".
void appendDateText(const db::DateTime& moment, bool hourMinute, std::string& out);

}  // namespace records
