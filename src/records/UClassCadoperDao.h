// The query class of cadoper records: reads the pending TRegistroCadoper
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassCadoper.h"
#include "records/query_frame.h"

namespace records {

class TCadoperDao : public TDao {
public:
    static constexpr std::string_view queueTable = "CADOPER";
    explicit TCadoperDao(db::Connection& connection);
};

}  // namespace records
