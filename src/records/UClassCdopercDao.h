// The query class of cdoperc records: reads the pending TRegistroCdoperc
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassCdoperc.h"
#include "records/query_frame.h"

namespace records {

class TCdopercDao : public TDao {
public:
    static constexpr std::string_view queueTable = "CDOPERC";
    explicit TCdopercDao(db::Connection& connection);
};

}  // namespace records
