#include "records/UClassPedidoiDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
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
    "Pedidoi.Codgrade ) Order by integecf.dataatual,integecf.horaatual desc";

}  // namespace

TPedidoiDao::TPedidoiDao(db::Connection& connection) : TDao(connection, TRegistroPedidoi, sql, queueTable) {}

}  // namespace records
