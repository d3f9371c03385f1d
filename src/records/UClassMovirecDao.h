// The query class of movirec records: reads the pending TRegistroMovirec
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassMovirec.h"
#include "records/query_frame.h"

namespace records {

class TMovirecDao : public TDao {
public:
    static constexpr std::string_view queueTable = "MOVIREC";
    explicit TMovirecDao(db::Connection& connection);
};

}  // namespace records
