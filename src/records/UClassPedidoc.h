// Order header records: the header of one order.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroPedidoc;

// An array of TRegistroPedidoc records.
using TColPedidoc = RecordArray;

}  // namespace records
