// The reading rules: how one result column becomes one record field.
#pragma once

#include "db/statement.h"
#include "records/record_array.h"

#include <string>

namespace records {

// Appends "dd.mm.yyyy nn:ss" (minutes and seconds: the hour is not written)
// or, with hourMinute, "dd.mm.yyyy hh:nn".
void appendDateText(const db::DateTime& moment, bool hourMinute, std::string& out);

// Reads column into field of the last record of out, by the field's rule.
void readField(const db::Cursor& row, std::size_t column, std::size_t field, ReadRule rule, RecordArray& out);

}  // namespace records
