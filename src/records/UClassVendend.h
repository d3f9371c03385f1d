// Seller records: one seller with its routes and settings.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroVendend;

// An array of TRegistroVendend records.
using TColVendend = RecordArray;

}  // namespace records
