// The query class of fornece records: reads the pending TRegistroFornece
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassFornece.h"
#include "records/query_frame.h"

namespace records {

class TForneceDao : public TDao {
public:
    static constexpr std::string_view queueTable = "FORNECE";
    explicit TForneceDao(db::Connection& connection);
};

}  // namespace records
