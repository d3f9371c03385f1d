// The eleven record kinds as the queue names them: source table, query class,
// and the key columns each joins on (queue key number, column, a key value),
// so that one test can exercise every kind the same way.
#pragma once

#include "records/kinds.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace recordstest {

struct Key {
    int chave;           // the queue column chave<n> it is compared with
    const char* column;  // the source column
    const char* value;
};

struct KindCase {
    const char* table;
    const char* queueTable;
    const records::RecordKind* kind;
    std::vector<Key> keys;
    // Columns outside the key that the table requires, with their values.
    const char* requiredColumns = "";
    const char* requiredValues = "";
};

// CHAR(2) keys ("V", "L") are stored blank-padded while the queue holds them
// in VARCHAR without the blank: they must still join.
inline const std::vector<KindCase>& kindCases() {
    static const std::vector<KindCase> cases = {
        // clang-format off
        {"Cadoper", "CADOPER", &records::TRegistroCadoper, {{0, "Codoper", "OP1"}}},
        {"Produto", "PRODUTO", &records::TRegistroProduto, {{0, "Codprod", "7891000100103"}}},
        {"Cliente", "CLIENTE", &records::TRegistroCliente, {{0, "Codcliente", "1001"}}},
        {"Cadusua", "CADUSUA", &records::TRegistroCadusua, {{0, "Usuario", "MARIA"}}},
        {"Vendend", "VENDEND", &records::TRegistroVendend, {{0, "Codvendedor", "003"}}},
        {"Cdoperc", "CDOPERC", &records::TRegistroCdoperc, {{0, "Codoper", "5102"}}},
        {"Fornece", "FORNECE", &records::TRegistroFornece, {{0, "Codfornec", "501"}}},
        {"Pedidoc", "PEDIDOC", &records::TRegistroPedidoc,
         {{0, "Codempresa", "1"}, {1, "Tipopedido", "V"}, {2, "Codpedido", "000123"}}},
        // chave3 is not part of an item's key.
        {"Pedidoi", "PEDIDOI", &records::TRegistroPedidoi,
         {{0, "Codempresa", "1"}, {1, "Tipopedido", "V"}, {2, "Codpedido", "000123"},
          {4, "Codprod", "7891000100103"}, {5, "Codgrade", "UN"}},
         "Sequencia", "(select coalesce(max(Sequencia), 0) + 1 from Pedidoi)"},
        {"Docurec", "DOCUREC", &records::TRegistroDocurec,
         {{0, "Codempresa", "1"}, {1, "Codcliente", "1001"}, {2, "Tipodocto", "DP"}, {3, "Coddocto", "000123/1"}}},
        {"Movirec", "MOVIREC", &records::TRegistroMovirec,
         {{0, "Codempresa", "1"}, {1, "Tipodocto", "DP"}, {2, "Coddocto", "000123/1"}, {3, "Codcliente", "1001"},
          {4, "Tipomov", "L"}, {5, "Numord", "1"}}},
        // clang-format on
    };
    return cases;
}

inline const KindCase& kindCase(std::string_view table) {
    for (const KindCase& k : kindCases())
        if (k.table == table) return k;
    throw std::out_of_range(std::string(table));
}

// The key values of a source row: the case's own, with `suffix` appended to
// the last key so that several rows of one kind can coexist.
inline std::vector<std::string> keyValues(const KindCase& k, const std::string& suffix = "") {
    std::vector<std::string> v;
    for (const Key& key : k.keys) v.emplace_back(key.value);
    v.back() += suffix;
    return v;
}

// The insert of a source row holding only its keys (and what the table
// requires), plus `columns` = `values` when given.
inline std::string insertRow(const KindCase& k, const std::vector<std::string>& keys, const std::string& columns = "",
                             const std::string& values = "") {
    std::string cols, vals;
    for (std::size_t i = 0; i < k.keys.size(); ++i) {
        cols += (i ? ", " : "") + std::string(k.keys[i].column);
        vals += (i ? ", '" : "'") + keys[i] + "'";
    }
    if (*k.requiredColumns) {
        cols += std::string(", ") + k.requiredColumns;
        vals += std::string(", ") + k.requiredValues;
    }
    if (!columns.empty()) {
        cols += ", " + columns;
        vals += ", " + values;
    }
    return "insert into " + std::string(k.table) + " (" + cols + ") values (" + vals + ")";
}

// The queue keys chave0..chave5 naming that row; the others stay empty.
inline std::vector<std::string> queueKeys(const KindCase& k, const std::vector<std::string>& keys) {
    std::vector<std::string> chaves(6);
    for (std::size_t i = 0; i < k.keys.size(); ++i) chaves[k.keys[i].chave] = keys[i];
    return chaves;
}

}  // namespace recordstest
