// Client records: registration, address, tax and sales data of one client.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroCliente;

// An array of TRegistroCliente records.
using TColCliente = RecordArray;

}  // namespace records
