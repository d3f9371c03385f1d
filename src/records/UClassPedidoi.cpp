#include "records/UClassPedidoi.h"

namespace records {
namespace {

constexpr FieldDef fields[] = {
    {"Codempresa", FieldKind::Text, ReadRule::Text},
    {"Tipopedido", FieldKind::Text, ReadRule::Text},
    {"Codpedido", FieldKind::Text, ReadRule::Text},
    {"Codcliente", FieldKind::Text, ReadRule::Text},
    {"Codprod", FieldKind::Text, ReadRule::Text},
    {"Codgrade", FieldKind::Text, ReadRule::Text},
    {"Aliqipi", FieldKind::Real, ReadRule::Real},
    {"Aliqicm", FieldKind::Real, ReadRule::Real},
    {"Aliqiss", FieldKind::Real, ReadRule::Real},
    {"Baseicm", FieldKind::Real, ReadRule::Real},
    {"Quantidade", FieldKind::Real, ReadRule::Real},
    {"Precounit", FieldKind::Real, ReadRule::Real},
    {"Descontovlr", FieldKind::Real, ReadRule::Real},
    {"Codtribut", FieldKind::Text, ReadRule::Text},
    {"Unidadesaida", FieldKind::Text, ReadRule::Text},
    {"Qtdeunidpadrao", FieldKind::Real, ReadRule::Real},
    {"Numpecas", FieldKind::Real, ReadRule::Real},
    {"Comprimento", FieldKind::Real, ReadRule::Real},
    {"Expessura", FieldKind::Real, ReadRule::Real},
    {"Largura", FieldKind::Real, ReadRule::Real},
    {"Mensagemtrib", FieldKind::Text, ReadRule::Text},
    {"Cfop", FieldKind::Text, ReadRule::Text},
    {"Precotabela", FieldKind::Real, ReadRule::Real},
    {"Totalitem", FieldKind::Real, ReadRule::Real},
    {"Totalrateado", FieldKind::Real, ReadRule::Real},
    {"Codprodagrupado", FieldKind::Text, ReadRule::Text},
    {"Tipopreco", FieldKind::Text, ReadRule::Text},
    {"Codtvenda", FieldKind::Text, ReadRule::Text},
    {"Volume", FieldKind::Real, ReadRule::Real},
    {"Peso", FieldKind::Real, ReadRule::Real},
    {"Numserie", FieldKind::Text, ReadRule::Text},
    {"Fone", FieldKind::Text, ReadRule::Text},
    {"Contrato", FieldKind::Text, ReadRule::Text},
    {"Numnf", FieldKind::Text, ReadRule::Text},
    {"Operacao", FieldKind::Integer, ReadRule::Integer},
    {"Comissaoperc", FieldKind::Real, ReadRule::Real},
    {"Descremanuf", FieldKind::Text, ReadRule::Text},
    {"Autrefidelizacao", FieldKind::Text, ReadRule::Text},
    {"Claroteste", FieldKind::Text, ReadRule::Text},
    {"Qtauxrecporcfop", FieldKind::Real, ReadRule::Real},
    {"Tabela", FieldKind::Text, ReadRule::Text},
    {"Codpromo", FieldKind::Integer, ReadRule::Integer},
    {"Flagintegracao", FieldKind::Text, ReadRule::Text},
    {"Vlricmsst", FieldKind::Real, ReadRule::Real},
    {"Vlrbaseicmsst", FieldKind::Real, ReadRule::Real},
    {"Codcsosn", FieldKind::Text, ReadRule::Text},
    {"Cancelado", FieldKind::Text, ReadRule::Text},
    {"Sequencia", FieldKind::Integer, ReadRule::Integer},
    {"Datainclusao", FieldKind::Text, ReadRule::DateMinSec},
    {"Acrescimovlr", FieldKind::Real, ReadRule::Real},
    {"Acao", FieldKind::Text, ReadRule::Text},
};

}  // namespace

const RecordKind TRegistroPedidoi{"UClassPedidoi", "TRegistroPedidoi", "TColPedidoi", fields};

}  // namespace records
