// The queue tables the stress tests exercise: each with its import
// operation, its source table and the key that makes every queued change
// traceable from the queue row to the record a terminal receives.
#pragma once

#include <array>
#include <string_view>

namespace stress {

struct QueueTable {
    std::string_view queueName;   // integecf.tabela
    std::string_view operation;   // the IVelmora import
    std::string_view source;      // the source table
    std::string_view keyColumn;   // joined with integecf.chave0; also the record field
    std::string_view textColumn;  // a descriptive column the producer fills
};

inline constexpr std::array<QueueTable, 4> kQueueTables{{
    {"CADOPER", "ImportaOperadores", "Cadoper", "Codoper", "Nome"},
    {"VENDEND", "ImportaVendedores", "Vendend", "Codvendedor", "Nome"},
    {"FORNECE", "ImportaFornecedores", "Fornece", "Codfornec", "Nome"},
    {"PRODUTO", "ImportaProdutos", "Produto", "Codprod", "Descricao"},
}};

inline const QueueTable& queueTable(std::string_view queueName) {
    for (const QueueTable& t : kQueueTables)
        if (t.queueName == queueName) return t;
    return kQueueTables[0];
}

}  // namespace stress
