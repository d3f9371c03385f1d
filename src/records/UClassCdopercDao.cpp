#include "records/UClassCdopercDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
    "Select Cdoperc.Codoper, Cdoperc.Nop, Cdoperc.Descricao, Cdoperc.Percentual, "
    "Cdoperc.Comissao, Cdoperc.Mapavenda, Cdoperc.Gerarec, Cdoperc.Icms, Cdoperc.Ipi, "
    "Cdoperc.Baseicm, Cdoperc.Atualest, Cdoperc.Geractb, Cdoperc.Geralivros, "
    "Cdoperc.Tpoperacao, Cdoperc.Gerapagar, Cdoperc.Baixaorc, Cdoperc.Devvenda, Cdoperc.Devcmp, "
    "Cdoperc.Intban, Cdoperc.Intcxa, Cdoperc.Intpredata, Cdoperc.Emitecheque, Cdoperc.Codbanco, "
    "Cdoperc.Codagen, Cdoperc.Conta, Cdoperc.Infcontacxa, Cdoperc.Entconsig, Cdoperc.Devconsig, "
    "Cdoperc.Saidconsig, Cdoperc.Devconsignaovend, Cdoperc.Geralivroipi, "
    "Cdoperc.Infobslivrofiscal, Cdoperc.Faturamentoconsignacao, Cdoperc.Fatmercconsig, "
    "Cdoperc.Gravacusto, Cdoperc.Ipisemprebaseicm, Cdoperc.Percpiscofins, Cdoperc.Observacao, "
    "Cdoperc.Ipiincidefrete, Cdoperc.Imprimenf, Cdoperc.Outrasdespesastributadas, "
    "Cdoperc.Freteincideicms, Cdoperc.Tipovinculo, Cdoperc.Opcaovinculo, Cdoperc.Codvinculo, "
    "Cdoperc.Somenteimportacao, Cdoperc.Mapacompras, Cdoperc.Ipibasest, Cdoperc.Nop2, "
    "Cdoperc.Ativo, Cdoperc.Isencaoiss, Cdoperc.Substribmanual, Cdoperc.Solicitainssretido, "
    "Cdoperc.Nfeajuste, Cdoperc.Icmsbasereduzida, Cdoperc.Ipinfnaodestaca, "
    "Cdoperc.Stnfnaodestaca, Cdoperc.Transfentrefiliais, Cdoperc.Abatefinanceirodevolucaonf, "
    "Cdoperc.Naogerapiscofins, Cdoperc.Descontoreduzbaseipi, integecf.acao From Cdoperc inner "
    "join integecf on ( integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and "
    "integecf.tabela = \"CDOPERC\" and integecf.chave0 = Cdoperc.Codoper) Order by "
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TCdopercDao::TCdopercDao(db::Connection& connection) : TDao(connection, TRegistroCdoperc, sql, queueTable) {}

}  // namespace records
