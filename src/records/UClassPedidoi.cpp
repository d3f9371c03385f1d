// Order item records: one item of an order.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef pedidoiFields[] = {
    {"Codempresa", ReadRule::Text},
    {"Tipopedido", ReadRule::Text},
    {"Codpedido", ReadRule::Text},
    {"Codcliente", ReadRule::Text},
    {"Codprod", ReadRule::Text},
    {"Codgrade", ReadRule::Text},
    {"Aliqipi", ReadRule::Real},
    {"Aliqicm", ReadRule::Real},
    {"Aliqiss", ReadRule::Real},
    {"Baseicm", ReadRule::Real},
    {"Quantidade", ReadRule::Real},
    {"Precounit", ReadRule::Real},
    {"Descontovlr", ReadRule::Real},
    {"Codtribut", ReadRule::Text},
    {"Unidadesaida", ReadRule::Text},
    {"Qtdeunidpadrao", ReadRule::Real},
    {"Numpecas", ReadRule::Real},
    {"Comprimento", ReadRule::Real},
    {"Expessura", ReadRule::Real},
    {"Largura", ReadRule::Real},
    {"Mensagemtrib", ReadRule::Text},
    {"Cfop", ReadRule::Text},
    {"Precotabela", ReadRule::Real},
    {"Totalitem", ReadRule::Real},
    {"Totalrateado", ReadRule::Real},
    {"Codprodagrupado", ReadRule::Text},
    {"Tipopreco", ReadRule::Text},
    {"Codtvenda", ReadRule::Text},
    {"Volume", ReadRule::Real},
    {"Peso", ReadRule::Real},
    {"Numserie", ReadRule::Text},
    {"Fone", ReadRule::Text},
    {"Contrato", ReadRule::Text},
    {"Numnf", ReadRule::Text},
    {"Operacao", ReadRule::Integer},
    {"Comissaoperc", ReadRule::Real},
    {"Descremanuf", ReadRule::Text},
    {"Autrefidelizacao", ReadRule::Text},
    {"Claroteste", ReadRule::Text},
    {"Qtauxrecporcfop", ReadRule::Real},
    {"Tabela", ReadRule::Text},
    {"Codpromo", ReadRule::Integer},
    {"Flagintegracao", ReadRule::Text},
    {"Vlricmsst", ReadRule::Real},
    {"Vlrbaseicmsst", ReadRule::Real},
    {"Codcsosn", ReadRule::Text},
    {"Cancelado", ReadRule::Text},
    {"Sequencia", ReadRule::Integer},
    {"Datainclusao", ReadRule::DateMinSec},
    {"Acrescimovlr", ReadRule::Real},
    {"Acao", ReadRule::Text},
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
