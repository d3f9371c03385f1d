// Operation type records: the settings of one type of commercial operation.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroCdoperc;

// An array of TRegistroCdoperc records.
using TColCdoperc = RecordArray;

}  // namespace records
