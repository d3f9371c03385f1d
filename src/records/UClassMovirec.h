// Receivable movement records: one movement on a receivable document.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroMovirec;

// An array of TRegistroMovirec records.
using TColMovirec = RecordArray;

}  // namespace records
