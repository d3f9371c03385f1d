// Operation type records: the settings of one type of commercial operation.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef cdopercFields[] = {
    {"Codoper", ReadRule::Text},
    {"Nop", ReadRule::Text},
    {"Descricao", ReadRule::Text},
    {"Percentual", ReadRule::Real},
    {"Comissao", ReadRule::Text},
    {"Mapavenda", ReadRule::Text},
    {"Gerarec", ReadRule::Text},
    {"Icms", ReadRule::Text},
    {"Ipi", ReadRule::Text},
    {"Baseicm", ReadRule::Text},
    {"Atualest", ReadRule::Text},
    {"Geractb", ReadRule::Text},
    {"Geralivros", ReadRule::Text},
    {"Tpoperacao", ReadRule::Text},
    {"Gerapagar", ReadRule::Text},
    {"Baixaorc", ReadRule::Text},
    {"Devvenda", ReadRule::Text},
    {"Devcmp", ReadRule::Text},
    {"Intban", ReadRule::Text},
    {"Intcxa", ReadRule::Text},
    {"Intpredata", ReadRule::Text},
    {"Emitecheque", ReadRule::Text},
    {"Codbanco", ReadRule::Text},
    {"Codagen", ReadRule::Text},
    {"Conta", ReadRule::Text},
    {"Infcontacxa", ReadRule::Text},
    {"Entconsig", ReadRule::Text},
    {"Devconsig", ReadRule::Text},
    {"Saidconsig", ReadRule::Text},
    {"Devconsignaovend", ReadRule::Text},
    {"Geralivroipi", ReadRule::Text},
    {"Infobslivrofiscal", ReadRule::Text},
    {"Faturamentoconsignacao", ReadRule::Text},
    {"Fatmercconsig", ReadRule::Text},
    {"Gravacusto", ReadRule::Text},
    {"Ipisemprebaseicm", ReadRule::Text},
    {"Percpiscofins", ReadRule::Real},
    {"Observacao", ReadRule::Text},
    {"Ipiincidefrete", ReadRule::Text},
    {"Imprimenf", ReadRule::Text},
    {"Outrasdespesastributadas", ReadRule::Text},
    {"Freteincideicms", ReadRule::Text},
    {"Tipovinculo", ReadRule::Text},
    {"Opcaovinculo", ReadRule::Text},
    {"Codvinculo", ReadRule::Text},
    {"Somenteimportacao", ReadRule::Text},
    {"Mapacompras", ReadRule::Text},
    {"Ipibasest", ReadRule::Text},
    {"Nop2", ReadRule::Text},
    {"Ativo", ReadRule::Text},
    {"Isencaoiss", ReadRule::Text},
    {"Substribmanual", ReadRule::Text},
    {"Solicitainssretido", ReadRule::Text},
    {"Nfeajuste", ReadRule::Text},
    {"Icmsbasereduzida", ReadRule::Text},
    {"Ipinfnaodestaca", ReadRule::Text},
    {"Stnfnaodestaca", ReadRule::Text},
    {"Transfentrefiliais", ReadRule::Integer},
    {"Abatefinanceirodevolucaonf", ReadRule::Text},
    {"Naogerapiscofins", ReadRule::Integer},
    {"Descontoreduzbaseipi", ReadRule::Text},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroCdoperc{
    "UClassCdoperc",
    "TRegistroCdoperc",
    "TColCdoperc",
    cdopercFields,
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
    "integecf.dataatual,integecf.horaatual desc",
    "CDOPERC"};

}  // namespace records
