// The query class of vendend records: reads the pending TRegistroVendend
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassVendend.h"
#include "records/query_frame.h"

namespace records {

class TVendendDao : public TDao {
public:
    static constexpr std::string_view queueTable = "VENDEND";
    explicit TVendendDao(db::Connection& connection);
};

}  // namespace records
