// The query class of produto records: reads the pending TRegistroProduto
// records of a company and terminal from its source table joined with the queue.
#pragma once

#include "records/UClassProduto.h"
#include "records/query_frame.h"

namespace records {

class TProdutoDao : public TDao {
public:
    static constexpr std::string_view queueTable = "PRODUTO";
    explicit TProdutoDao(db::Connection& connection);
};

}  // namespace records
