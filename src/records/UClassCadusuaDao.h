// The query class of cadusua records: reads the pending TRegistroCadusua
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassCadusua.h"
#include "records/query_frame.h"

namespace records {

class TCadusuaDao : public TDao {
public:
    static constexpr std::string_view queueTable = "CADUSUA";
    explicit TCadusuaDao(db::Connection& connection);
};

}  // namespace records
