// The query class of pedidoi records: reads the pending TRegistroPedidoi
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassPedidoi.h"
#include "records/query_frame.h"

namespace records {

class TPedidoiDao : public TDao {
public:
    static constexpr std::string_view queueTable = "PEDIDOI";
    explicit TPedidoiDao(db::Connection& connection);
};

}  // namespace records
