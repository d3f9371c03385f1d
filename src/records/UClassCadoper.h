// Operator records: one operator of a point-of-sale terminal and the terminal functions it may use.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroCadoper;

// An array of TRegistroCadoper records.
using TColCadoper = RecordArray;

}  // namespace records
