// The query class of cliente records: reads the pending TRegistroCliente
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassCliente.h"
#include "records/query_frame.h"

namespace records {

class TClienteDao : public TDao {
public:
    static constexpr std::string_view queueTable = "CLIENTE";
    explicit TClienteDao(db::Connection& connection);
};

}  // namespace records
