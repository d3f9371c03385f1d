// The query class of pedidoc records: reads the pending TRegistroPedidoc
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassPedidoc.h"
#include "records/query_frame.h"

namespace records {

class TPedidocDao : public TDao {
public:
    static constexpr std::string_view queueTable = "PEDIDOC";
    explicit TPedidocDao(db::Connection& connection);
};

}  // namespace records
