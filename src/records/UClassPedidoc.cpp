// Order header records: the header of one order.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef pedidocFields[] = {
    {"Codempresa", ReadRule::Text},
    {"Tipopedido", ReadRule::Text},
    {"Codpedido", ReadRule::Text},
    {"Codcliente", ReadRule::Text},
    {"Datapedido", ReadRule::DateHourMin},
    {"Codprazo", ReadRule::Text},
    {"Faturado", ReadRule::Text},
    {"Codvendedor", ReadRule::Text},
    {"Comissao", ReadRule::Real},
    {"Descontoperc", ReadRule::Real},
    {"Codtranspt", ReadRule::Text},
    {"Codoper", ReadRule::Text},
    {"Pedidocliente", ReadRule::Text},
    {"Turno", ReadRule::Text},
    {"Datafatura", ReadRule::DateHourMin},
    {"Codorc", ReadRule::Text},
    {"Frete", ReadRule::Real},
    {"Descontovlr", ReadRule::Real},
    {"Dataentrega", ReadRule::DateHourMin},
    {"Horaentrega", ReadRule::Text},
    {"Vlrticket", ReadRule::Real},
    {"Vlracrescimo", ReadRule::Real},
    {"Codpedidotroca", ReadRule::Text},
    {"Codpedidovenda", ReadRule::Text},
    {"Descontotroca", ReadRule::Real},
    {"Codpedidooriginal", ReadRule::Text},
    {"Juros", ReadRule::Real},
    {"Tipopedidoimportado", ReadRule::NotFilled},
    {"Codpedidoimportado", ReadRule::NotFilled},
    {"Codvendedor2", ReadRule::Text},
    {"Comissao2", ReadRule::Real},
    {"Outrasdespesas", ReadRule::Real},
    {"Seguro", ReadRule::Real},
    {"Tipofrete", ReadRule::Text},
    {"Observacao1", ReadRule::Text},
    {"Codrota", ReadRule::Text},
    {"Statuspedido", ReadRule::Text},
    {"Codpedidodevolucao", ReadRule::Text},
    {"Tipopedidodevolucao", ReadRule::Text},
    {"Totalpedido", ReadRule::Real},
    {"Codtvenda", ReadRule::Text},
    {"Codempresaorc", ReadRule::Text},
    {"Descpermuta", ReadRule::Real},
    {"Desccredito", ReadRule::Real},
    {"Codcliente2", ReadRule::Text},
    {"Datapospago", ReadRule::DateHourMin},
    {"Descperctroca", ReadRule::Real},
    {"Descfinanceiro", ReadRule::Real},
    {"Controle", ReadRule::Text},
    {"Usuario", ReadRule::Text},
    {"Hora", ReadRule::Text},
    {"Tipodocto", ReadRule::Text},
    {"Codcontentrega", ReadRule::Text},
    {"Observacao2", ReadRule::Text},
    {"Observacao3", ReadRule::Text},
    {"Vezesimpresso", ReadRule::Integer},
    {"Tipoencerramento", ReadRule::Integer},
    {"Codigomidia", ReadRule::Text},
    {"Numcupom", ReadRule::Text},
    {"Maquina", ReadRule::Text},
    {"Codempresaimportado", ReadRule::Text},
    {"Codproj", ReadRule::Integer},
    {"Transito", ReadRule::Text},
    {"Qtdfrete", ReadRule::Real},
    {"Codlocal", ReadRule::Text},
    {"Flagintegracao", ReadRule::Text},
    {"Codstatuspedido", ReadRule::Text},
    {"Dataprevistaentrega", ReadRule::DateHourMin},
    {"Dataentregareceita", ReadRule::DateHourMin},
    {"Qtdeimpressao", ReadRule::Integer},
    {"Occliente", ReadRule::Text},
    {"Prioridadeentrega", ReadRule::Text},
    {"Espelhodav", ReadRule::Text},
    {"Coodavimpfiscal", ReadRule::Text},
    {"Tipointegracaovda", ReadRule::NotFilled},
    {"Codintegracaovda", ReadRule::NotFilled},
    {"Observacao", ReadRule::Text},
    {"Usuarioliberacao", ReadRule::Text},
    {"Quemcomprou", ReadRule::Text},
    {"Descontoanterior", ReadRule::Real},
    {"Acrescimoanterior", ReadRule::Real},
    {"Registroemuso", ReadRule::Text},
    {"Usadopor", ReadRule::Text},
    {"Sistemaorigem", ReadRule::Text},
    {"Codempresapedido", ReadRule::NotFilled},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroPedidoc{
    "UClassPedidoc",
    "TRegistroPedidoc",
    "TColPedidoc",
    pedidocFields,
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
    "integecf.dataatual,integecf.horaatual desc",
    "PEDIDOC"};

}  // namespace records
