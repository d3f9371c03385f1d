// The fleet benchmark's shared vocabulary: who the terminals are, the eleven
// queue tables as the fleet's writer changes them and its terminals import
// them, and the operations the report tells apart.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace fleet {

// One till: its own company and terminal pair, its own queue rows.
struct Terminal {
    std::string company;  // integecf.codempresa: "1".."10"
    std::string ecf;      // integecf.ecf: "0001".., unique within the company
};

// Terminal i of n, spread over the companies in turn.
std::vector<Terminal> makeTerminals(int count, int companies);

// A queue table of the eleven imports. Every change the writer makes to a
// source row carries a key the terminal finds again in the record it
// receives (keyField), so a queue row is traced from the queue to the answer.
struct Table {
    std::string_view queue;      // integecf.tabela
    std::string_view operation;  // its import
    std::string_view keyField;   // the record field that carries the key
    int keyChave;                // the integecf.chaveN that holds the key
    // The source row's change: :K the key, :T a text. Run before queueing.
    std::string_view change;
    // integecf.chave0..5 as the import's join wants them; "K" is the key.
    std::array<std::string_view, 6> chaves;
    int weight;  // share of the writer's changes, in percent
    int keys;    // how many distinct keys its changes draw from (0: the catalogue's products)
};

inline constexpr std::array<Table, 11> kTables{{
    {"PRODUTO",
     "ImportaProdutos",
     "Codprod",
     0,
     "update Produto set Descricao3 = :T where Codprod = :K",
     {"K", "", "", "", "", ""},
     50,
     0},
    {"CLIENTE",
     "ImportaClientes",
     "Codcliente",
     0,
     "update or insert into Cliente (Codcliente, Nome) values (:K, :T) matching (Codcliente)",
     {"K", "", "", "", "", ""},
     20,
     5000},
    {"CADOPER",
     "ImportaOperadores",
     "Codoper",
     0,
     "update or insert into Cadoper (Codoper, Nome) values (:K, :T) matching (Codoper)",
     {"K", "", "", "", "", ""},
     1,
     200},
    {"CADUSUA",
     "ImportaUsuarios",
     "Usuario",
     0,
     "update or insert into Cadusua (Usuario, Nome) values (:K, :T) matching (Usuario)",
     {"K", "", "", "", "", ""},
     1,
     200},
    {"VENDEND",
     "ImportaVendedores",
     "Codvendedor",
     0,
     "update or insert into Vendend (Codvendedor, Nome) values (:K, :T) matching (Codvendedor)",
     {"K", "", "", "", "", ""},
     1,
     200},
    {"CDOPERC",
     "ImportaTpOperacao",
     "Codoper",
     0,
     "update or insert into Cdoperc (Codoper, Descricao) values (:K, :T) matching (Codoper)",
     {"K", "", "", "", "", ""},
     1,
     50},
    {"FORNECE",
     "ImportaFornecedores",
     "Codfornec",
     0,
     "update or insert into Fornece (Codfornec, Nome) values (:K, :T) matching (Codfornec)",
     {"K", "", "", "", "", ""},
     2,
     500},
    {"PEDIDOC",
     "ImportaPedidoC",
     "Codpedido",
     2,
     "update or insert into Pedidoc (Codempresa, Tipopedido, Codpedido, Codcliente, Observacao1) "
     "values ('1', 'VD', :K, 'C1', :T) matching (Codempresa, Tipopedido, Codpedido)",
     {"1", "VD", "K", "", "", ""},
     4,
     100000},
    {"PEDIDOI",
     "ImportaPedidoi",
     "Codpedido",
     2,
     "update or insert into Pedidoi (Codempresa, Tipopedido, Codpedido, Sequencia, Codprod, Codgrade, Mensagemtrib) "
     "values ('1', 'VD', :K, 1, '7890000000001', '0', :T) matching (Codempresa, Tipopedido, Codpedido, Sequencia)",
     {"1", "VD", "K", "", "7890000000001", "0"},
     4,
     100000},
    {"DOCUREC",
     "ImportaDocurec",
     "Coddocto",
     3,
     "update or insert into Docurec (Codempresa, Codcliente, Tipodocto, Coddocto, Observacao) "
     "values ('1', 'C1', 'DP', :K, :T) matching (Codempresa, Codcliente, Tipodocto, Coddocto)",
     {"1", "C1", "DP", "K", "", ""},
     8,
     100000},
    {"MOVIREC",
     "ImportaMovirec",
     "Coddocto",
     2,
     "update or insert into Movirec (Codempresa, Tipodocto, Coddocto, Codcliente, Tipomov, Numord, Observacao) "
     "values ('1', 'DP', :K, 'C1', 'LQ', '1', :T) "
     "matching (Codempresa, Tipodocto, Coddocto, Codcliente, Tipomov, Numord)",
     {"1", "DP", "K", "C1", "LQ", "1"},
     8,
     100000},
}};

// The operations the report tells apart: the eleven imports (kTables order),
// then the acknowledgement and the stock query, all small calls; then a first
// import of the whole catalogue and its acknowledgement, reported apart.
inline constexpr int kDeleta = 11;
inline constexpr int kStock = 12;
inline constexpr int kCatalogue = 13;
inline constexpr int kCatalogueDeleta = 14;
inline constexpr int kOperations = 15;

std::string_view operationName(int operation);

}  // namespace fleet
