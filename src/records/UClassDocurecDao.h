// The query class of docurec records: reads the pending TRegistroDocurec
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassDocurec.h"
#include "records/query_frame.h"

namespace records {

class TDocurecDao : public TDao {
public:
    static constexpr std::string_view queueTable = "DOCUREC";
    explicit TDocurecDao(db::Connection& connection);
};

}  // namespace records
