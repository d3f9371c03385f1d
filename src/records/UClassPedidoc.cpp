// Order header records: the header of one order.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef pedidocFields[] = {
    {"Codempresa", FieldKind::Text, ReadRule::Text},
    {"Tipopedido", FieldKind::Text, ReadRule::Text},
    {"Codpedido", FieldKind::Text, ReadRule::Text},
    {"Codcliente", FieldKind::Text, ReadRule::Text},
    {"Datapedido", FieldKind::Text, ReadRule::DateHourMin},
    {"Codprazo", FieldKind::Text, ReadRule::Text},
    {"Faturado", FieldKind::Text, ReadRule::Text},
    {"Codvendedor", FieldKind::Text, ReadRule::Text},
    {"Comissao", FieldKind::Real, ReadRule::Real},
    {"Descontoperc", FieldKind::Real, ReadRule::Real},
    {"Codtranspt", FieldKind::Text, ReadRule::Text},
    {"Codoper", FieldKind::Text, ReadRule::Text},
    {"Pedidocliente", FieldKind::Text, ReadRule::Text},
    {"Turno", FieldKind::Text, ReadRule::Text},
    {"Datafatura", FieldKind::Text, ReadRule::DateHourMin},
    {"Codorc", FieldKind::Text, ReadRule::Text},
    {"Frete", FieldKind::Real, ReadRule::Real},
    {"Descontovlr", FieldKind::Real, ReadRule::Real},
    {"Dataentrega", FieldKind::Text, ReadRule::DateHourMin},
    {"Horaentrega", FieldKind::Text, ReadRule::Text},
    {"Vlrticket", FieldKind::Real, ReadRule::Real},
    {"Vlracrescimo", FieldKind::Real, ReadRule::Real},
    {"Codpedidotroca", FieldKind::Text, ReadRule::Text},
    {"Codpedidovenda", FieldKind::Text, ReadRule::Text},
    {"Descontotroca", FieldKind::Real, ReadRule::Real},
    {"Codpedidooriginal", FieldKind::Text, ReadRule::Text},
    {"Juros", FieldKind::Real, ReadRule::Real},
    {"Tipopedidoimportado", FieldKind::Text, ReadRule::NotFilled},
    {"Codpedidoimportado", FieldKind::Text, ReadRule::NotFilled},
    {"Codvendedor2", FieldKind::Text, ReadRule::Text},
    {"Comissao2", FieldKind::Real, ReadRule::Real},
    {"Outrasdespesas", FieldKind::Real, ReadRule::Real},
    {"Seguro", FieldKind::Real, ReadRule::Real},
    {"Tipofrete", FieldKind::Text, ReadRule::Text},
    {"Observacao1", FieldKind::Text, ReadRule::Text},
    {"Codrota", FieldKind::Text, ReadRule::Text},
    {"Statuspedido", FieldKind::Text, ReadRule::Text},
    {"Codpedidodevolucao", FieldKind::Text, ReadRule::Text},
    {"Tipopedidodevolucao", FieldKind::Text, ReadRule::Text},
    {"Totalpedido", FieldKind::Real, ReadRule::Real},
    {"Codtvenda", FieldKind::Text, ReadRule::Text},
    {"Codempresaorc", FieldKind::Text, ReadRule::Text},
    {"Descpermuta", FieldKind::Real, ReadRule::Real},
    {"Desccredito", FieldKind::Real, ReadRule::Real},
    {"Codcliente2", FieldKind::Text, ReadRule::Text},
    {"Datapospago", FieldKind::Text, ReadRule::DateHourMin},
    {"Descperctroca", FieldKind::Real, ReadRule::Real},
    {"Descfinanceiro", FieldKind::Real, ReadRule::Real},
    {"Controle", FieldKind::Text, ReadRule::Text},
    {"Usuario", FieldKind::Text, ReadRule::Text},
    {"Hora", FieldKind::Text, ReadRule::Text},
    {"Tipodocto", FieldKind::Text, ReadRule::Text},
    {"Codcontentrega", FieldKind::Text, ReadRule::Text},
    {"Observacao2", FieldKind::Text, ReadRule::Text},
    {"Observacao3", FieldKind::Text, ReadRule::Text},
    {"Vezesimpresso", FieldKind::Integer, ReadRule::Integer},
    {"Tipoencerramento", FieldKind::Integer, ReadRule::Integer},
    {"Codigomidia", FieldKind::Text, ReadRule::Text},
    {"Numcupom", FieldKind::Text, ReadRule::Text},
    {"Maquina", FieldKind::Text, ReadRule::Text},
    {"Codempresaimportado", FieldKind::Text, ReadRule::Text},
    {"Codproj", FieldKind::Integer, ReadRule::Integer},
    {"Transito", FieldKind::Text, ReadRule::Text},
    {"Qtdfrete", FieldKind::Real, ReadRule::Real},
    {"Codlocal", FieldKind::Text, ReadRule::Text},
    {"Flagintegracao", FieldKind::Text, ReadRule::Text},
    {"Codstatuspedido", FieldKind::Text, ReadRule::Text},
    {"Dataprevistaentrega", FieldKind::Text, ReadRule::DateHourMin},
    {"Dataentregareceita", FieldKind::Text, ReadRule::DateHourMin},
    {"Qtdeimpressao", FieldKind::Integer, ReadRule::Integer},
    {"Occliente", FieldKind::Text, ReadRule::Text},
    {"Prioridadeentrega", FieldKind::Text, ReadRule::Text},
    {"Espelhodav", FieldKind::Text, ReadRule::Text},
    {"Coodavimpfiscal", FieldKind::Text, ReadRule::Text},
    {"Tipointegracaovda", FieldKind::Text, ReadRule::NotFilled},
    {"Codintegracaovda", FieldKind::Text, ReadRule::NotFilled},
    {"Observacao", FieldKind::Text, ReadRule::Text},
    {"Usuarioliberacao", FieldKind::Text, ReadRule::Text},
    {"Quemcomprou", FieldKind::Text, ReadRule::Text},
    {"Descontoanterior", FieldKind::Real, ReadRule::Real},
    {"Acrescimoanterior", FieldKind::Real, ReadRule::Real},
    {"Registroemuso", FieldKind::Text, ReadRule::Text},
    {"Usadopor", FieldKind::Text, ReadRule::Text},
    {"Sistemaorigem", FieldKind::Text, ReadRule::Text},
    {"Codempresapedido", FieldKind::Text, ReadRule::NotFilled},
    {"Acao", FieldKind::Text, ReadRule::Text},
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
