// Supplier records: registration data of one supplier.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroFornece;

// An array of TRegistroFornece records.
using TColFornece = RecordArray;

}  // namespace records
