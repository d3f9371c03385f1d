// Operation type records: the settings of one type of commercial operation.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef cdopercFields[] = {
    {"Codoper", FieldKind::Text, ReadRule::Text},
    {"Nop", FieldKind::Text, ReadRule::Text},
    {"Descricao", FieldKind::Text, ReadRule::Text},
    {"Percentual", FieldKind::Real, ReadRule::Real},
    {"Comissao", FieldKind::Text, ReadRule::Text},
    {"Mapavenda", FieldKind::Text, ReadRule::Text},
    {"Gerarec", FieldKind::Text, ReadRule::Text},
    {"Icms", FieldKind::Text, ReadRule::Text},
    {"Ipi", FieldKind::Text, ReadRule::Text},
    {"Baseicm", FieldKind::Text, ReadRule::Text},
    {"Atualest", FieldKind::Text, ReadRule::Text},
    {"Geractb", FieldKind::Text, ReadRule::Text},
    {"Geralivros", FieldKind::Text, ReadRule::Text},
    {"Tpoperacao", FieldKind::Text, ReadRule::Text},
    {"Gerapagar", FieldKind::Text, ReadRule::Text},
    {"Baixaorc", FieldKind::Text, ReadRule::Text},
    {"Devvenda", FieldKind::Text, ReadRule::Text},
    {"Devcmp", FieldKind::Text, ReadRule::Text},
    {"Intban", FieldKind::Text, ReadRule::Text},
    {"Intcxa", FieldKind::Text, ReadRule::Text},
    {"Intpredata", FieldKind::Text, ReadRule::Text},
    {"Emitecheque", FieldKind::Text, ReadRule::Text},
    {"Codbanco", FieldKind::Text, ReadRule::Text},
    {"Codagen", FieldKind::Text, ReadRule::Text},
    {"Conta", FieldKind::Text, ReadRule::Text},
    {"Infcontacxa", FieldKind::Text, ReadRule::Text},
    {"Entconsig", FieldKind::Text, ReadRule::Text},
    {"Devconsig", FieldKind::Text, ReadRule::Text},
    {"Saidconsig", FieldKind::Text, ReadRule::Text},
    {"Devconsignaovend", FieldKind::Text, ReadRule::Text},
    {"Geralivroipi", FieldKind::Text, ReadRule::Text},
    {"Infobslivrofiscal", FieldKind::Text, ReadRule::Text},
    {"Faturamentoconsignacao", FieldKind::Text, ReadRule::Text},
    {"Fatmercconsig", FieldKind::Text, ReadRule::Text},
    {"Gravacusto", FieldKind::Text, ReadRule::Text},
    {"Ipisemprebaseicm", FieldKind::Text, ReadRule::Text},
    {"Percpiscofins", FieldKind::Real, ReadRule::Real},
    {"Observacao", FieldKind::Text, ReadRule::Text},
    {"Ipiincidefrete", FieldKind::Text, ReadRule::Text},
    {"Imprimenf", FieldKind::Text, ReadRule::Text},
    {"Outrasdespesastributadas", FieldKind::Text, ReadRule::Text},
    {"Freteincideicms", FieldKind::Text, ReadRule::Text},
    {"Tipovinculo", FieldKind::Text, ReadRule::Text},
    {"Opcaovinculo", FieldKind::Text, ReadRule::Text},
    {"Codvinculo", FieldKind::Text, ReadRule::Text},
    {"Somenteimportacao", FieldKind::Text, ReadRule::Text},
    {"Mapacompras", FieldKind::Text, ReadRule::Text},
    {"Ipibasest", FieldKind::Text, ReadRule::Text},
    {"Nop2", FieldKind::Text, ReadRule::Text},
    {"Ativo", FieldKind::Text, ReadRule::Text},
    {"Isencaoiss", FieldKind::Text, ReadRule::Text},
    {"Substribmanual", FieldKind::Text, ReadRule::Text},
    {"Solicitainssretido", FieldKind::Text, ReadRule::Text},
    {"Nfeajuste", FieldKind::Text, ReadRule::Text},
    {"Icmsbasereduzida", FieldKind::Text, ReadRule::Text},
    {"Ipinfnaodestaca", FieldKind::Text, ReadRule::Text},
    {"Stnfnaodestaca", FieldKind::Text, ReadRule::Text},
    {"Transfentrefiliais", FieldKind::Integer, ReadRule::Integer},
    {"Abatefinanceirodevolucaonf", FieldKind::Text, ReadRule::Text},
    {"Naogerapiscofins", FieldKind::Integer, ReadRule::Integer},
    {"Descontoreduzbaseipi", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
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
