// Product records: registration, tax, price and purchase data of one product.
// The kind as data: its fields in declaration order, with kind and reading rule.
#pragma once

#include "records/record_array.h"

namespace records {

extern const RecordKind TRegistroProduto;

// An array of TRegistroProduto records.
using TColProduto = RecordArray;

}  // namespace records
