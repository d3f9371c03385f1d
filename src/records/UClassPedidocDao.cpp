#include "records/UClassPedidocDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
    "Select Pedidoc.Codempresa, Pedidoc.Tipopedido, Pedidoc.Codpedido, Pedidoc.Codcliente, "
    "Pedidoc.Datapedido, Pedidoc.Codprazo, Pedidoc.Faturado, Pedidoc.Codvendedor, "
    "Pedidoc.Comissao, Pedidoc.Descontoperc, Pedidoc.Codtranspt, Pedidoc.Codoper, "
    "Pedidoc.Pedidocliente, Pedidoc.Turno, Pedidoc.Datafatura, Pedidoc.Codorc, Pedidoc.Frete, "
    "Pedidoc.Descontovlr, Pedidoc.Dataentrega, Pedidoc.Horaentrega, Pedidoc.Vlrticket, "
    "Pedidoc.Vlracrescimo, Pedidoc.Codpedidotroca, Pedidoc.Codpedidovenda, "
    "Pedidoc.Descontotroca, Pedidoc.Codpedidooriginal, Pedidoc.Juros, Pedidoc.Codvendedor2, "
    "Pedidoc.Comissao2, Pedidoc.Outrasdespesas, Pedidoc.Seguro, Pedidoc.Tipofrete, "
    "Pedidoc.Observacao1, Pedidoc.Codrota, Pedidoc.Statuspedido, Pedidoc.Codpedidodevolucao, "
    "Pedidoc.Tipopedidodevolucao, Pedidoc.Totalpedido, Pedidoc.Codtvenda, "
    "Pedidoc.Codempresaorc, Pedidoc.Descpermuta, Pedidoc.Desccredito, Pedidoc.Codcliente2, "
    "Pedidoc.Datapospago, Pedidoc.Descperctroca, Pedidoc.Descfinanceiro, Pedidoc.Controle, "
    "Pedidoc.Usuario, Pedidoc.Hora, Pedidoc.Tipodocto, Pedidoc.Codcontentrega, "
    "Pedidoc.Observacao2, Pedidoc.Observacao3, Pedidoc.Vezesimpresso, Pedidoc.Tipoencerramento, "
    "Pedidoc.Codigomidia, Pedidoc.Numcupom, Pedidoc.Maquina, Pedidoc.Codempresaimportado, "
    "Pedidoc.Codproj, Pedidoc.Transito, Pedidoc.Qtdfrete, Pedidoc.Codlocal, "
    "Pedidoc.Flagintegracao, Pedidoc.Codstatuspedido, Pedidoc.Dataprevistaentrega, "
    "Pedidoc.Dataentregareceita, Pedidoc.Qtdeimpressao, Pedidoc.Occliente, "
    "Pedidoc.Prioridadeentrega, Pedidoc.Espelhodav, Pedidoc.Coodavimpfiscal, "
    "Pedidoc.Observacao, Pedidoc.Usuarioliberacao, Pedidoc.Quemcomprou, "
    "Pedidoc.Descontoanterior, Pedidoc.Acrescimoanterior, Pedidoc.Registroemuso, "
    "Pedidoc.Usadopor, Pedidoc.Sistemaorigem, integecf.acao From Pedidoc inner join integecf on "
    "( integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"PEDIDOC\" and integecf.chave0 = Pedidoc.Codempresa and integecf.chave1 = "
    "Pedidoc.Tipopedido and integecf.chave2 = Pedidoc.Codpedido) Order by "
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TPedidocDao::TPedidocDao(db::Connection& connection) : TDao(connection, TRegistroPedidoc, sql, queueTable) {}

}  // namespace records
