// Receivable document records: one document of the accounts receivable.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroDocurec;

// An array of TRegistroDocurec records.
using TColDocurec = RecordArray;

}  // namespace records
