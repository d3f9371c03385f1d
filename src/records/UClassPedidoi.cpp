// Order item records: one item of an order.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef pedidoiFields[] = {
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

const RecordKind TRegistroPedidoi{
    "UClassPedidoi",
    "TRegistroPedidoi",
    "TColPedidoi",
    pedidoiFields,
    "Select Pedidoi.Codempresa, Pedidoi.Tipopedido, Pedidoi.Codpedido, Pedidoi.Codcliente, "
    "Pedidoi.Codprod, Pedidoi.Codgrade, Pedidoi.Aliqipi, Pedidoi.Aliqicm, Pedidoi.Aliqiss, "
    "Pedidoi.Baseicm, Pedidoi.Quantidade, Pedidoi.Precounit, Pedidoi.Descontovlr, "
    "Pedidoi.Codtribut, Pedidoi.Unidadesaida, Pedidoi.Qtdeunidpadrao, Pedidoi.Numpecas, "
    "Pedidoi.Comprimento, Pedidoi.Expessura, Pedidoi.Largura, Pedidoi.Mensagemtrib, "
    "Pedidoi.Cfop, Pedidoi.Precotabela, Pedidoi.Totalitem, Pedidoi.Totalrateado, "
    "Pedidoi.Codprodagrupado, Pedidoi.Tipopreco, Pedidoi.Codtvenda, Pedidoi.Volume, "
    "Pedidoi.Peso, Pedidoi.Numserie, Pedidoi.Fone, Pedidoi.Contrato, Pedidoi.Numnf, "
    "Pedidoi.Operacao, Pedidoi.Comissaoperc, Pedidoi.Descremanuf, Pedidoi.Autrefidelizacao, "
    "Pedidoi.Claroteste, Pedidoi.Qtauxrecporcfop, Pedidoi.Tabela, Pedidoi.Codpromo, "
    "Pedidoi.Flagintegracao, Pedidoi.Vlricmsst, Pedidoi.Vlrbaseicmsst, Pedidoi.Codcsosn, "
    "Pedidoi.Cancelado, Pedidoi.Sequencia, Pedidoi.Datainclusao, Pedidoi.Acrescimovlr, "
    "integecf.acao From Pedidoi inner join integecf on ( integecf.codempresa = :PCodEmpresa and "
    "integecf.ecf = :PEcf and integecf.tabela = \"PEDIDOI\" and integecf.chave0 = "
    "Pedidoi.Codempresa and integecf.chave1 = Pedidoi.Tipopedido and integecf.chave2 = "
    "Pedidoi.Codpedido and integecf.chave4 = Pedidoi.Codprod and integecf.chave5 = "
    "Pedidoi.Codgrade ) Order by integecf.dataatual,integecf.horaatual desc",
    "PEDIDOI"};

}  // namespace records
