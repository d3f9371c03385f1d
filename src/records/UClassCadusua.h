// User records: one user with its permissions and limits.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroCadusua;

// An array of TRegistroCadusua records.
using TColCadusua = RecordArray;

}  // namespace records
