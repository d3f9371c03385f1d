// Every record kind of the service's table of imports, with its source table
// and the key columns it joins on (queue key number, column, a key value), so
// that one test can exercise every kind the same way.
#pragma once

#include "service/VelmoraIntf.h"

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
    std::string table;  // the source table, named as the kind's unit names it
    const records::RecordKind* kind;
    std::vector<Key> keys;
    // Columns outside the key that the table requires, with their values.
    const char* requiredColumns = "";
    const char* requiredValues = "";
};

// Each kind of the service's table of imports, with its source table's keys.
// CHAR(2) keys ("V", "L") are stored blank-padded while the queue holds them
// in VARCHAR without the blank: they must still join.
inline const std::vector<KindCase>& kindCases() {
    struct Keys {
        const char* table;
        std::vector<Key> keys;
        const char* requiredColumns = "";
        const char* requiredValues = "";
    };
    static const Keys keys[] = {
        // clang-format off
        {"Cadoper", {{0, "Codoper", "OP1"}}},
        {"Produto", {{0, "Codprod", "7891000100103"}}},
        {"Cliente", {{0, "Codcliente", "1001"}}},
        {"Cadusua", {{0, "Usuario", "MARIA"}}},
        {"Vendend", {{0, "Codvendedor", "003"}}},
        {"Cdoperc", {{0, "Codoper", "5102"}}},
        {"Fornece", {{0, "Codfornec", "501"}}},
        {"Pedidoc", {{0, "Codempresa", "1"}, {1, "Tipopedido", "V"}, {2, "Codpedido", "000123"}}},
        // chave3 is not part of an item's key.
        {"Pedidoi", {{0, "Codempresa", "1"}, {1, "Tipopedido", "V"}, {2, "Codpedido", "000123"},
                     {4, "Codprod", "7891000100103"}, {5, "Codgrade", "UN"}},
         "Sequencia", "(select coalesce(max(Sequencia), 0) + 1 from Pedidoi)"},
        {"Docurec", {{0, "Codempresa", "1"}, {1, "Codcliente", "1001"}, {2, "Tipodocto", "DP"}, {3, "Coddocto", "000123/1"}}},
        {"Movirec", {{0, "Codempresa", "1"}, {1, "Tipodocto", "DP"}, {2, "Coddocto", "000123/1"}, {3, "Codcliente", "1001"},
                     {4, "Tipomov", "L"}, {5, "Numord", "1"}}},
        // clang-format on
    };
    static const std::vector<KindCase> cases = [] {
        std::vector<KindCase> all;
        for (const service::ImportOperation& import : service::kImportOperations) {
            const records::RecordKind& kind = *import.kind;
            const std::string table(kind.unit.substr(std::string_view("UClass").size()));
            const Keys* k = nullptr;
            for (const Keys& candidate : keys)
                if (candidate.table == table) k = &candidate;
            if (!k) throw std::logic_error("no test keys for the kind of " + std::string(import.name));
            all.push_back({table, &kind, k->keys, k->requiredColumns, k->requiredValues});
        }
        return all;
    }();
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
