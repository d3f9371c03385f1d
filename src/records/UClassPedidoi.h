// Order item records: one item of an order.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroPedidoi;

// An array of TRegistroPedidoi records.
using TColPedidoi = RecordArray;

}  // namespace records
