// The service's record kinds, one data file each (UClassProduto.cpp …) with
// its fields, its statement and its queue table. A new kind is a new data
// file, a line here and a row in the service's table of imports.
#pragma once

#include "records/record_kind.h"

namespace records {

extern const RecordKind TRegistroProduto;
extern const RecordKind TRegistroCliente;
extern const RecordKind TRegistroCadoper;
extern const RecordKind TRegistroCadusua;
extern const RecordKind TRegistroVendend;
extern const RecordKind TRegistroCdoperc;
extern const RecordKind TRegistroFornece;
extern const RecordKind TRegistroPedidoc;
extern const RecordKind TRegistroPedidoi;
extern const RecordKind TRegistroDocurec;
extern const RecordKind TRegistroMovirec;

}  // namespace records
