// Receivable movement records: one movement on a receivable document.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef movirecFields[] = {
    {"Codempresa", FieldKind::Text, ReadRule::Text},
    {"Tipodocto", FieldKind::Text, ReadRule::Text},
    {"Coddocto", FieldKind::Text, ReadRule::Text},
    {"Codcliente", FieldKind::Text, ReadRule::Text},
    {"Tipomov", FieldKind::Text, ReadRule::Text},
    {"Numord", FieldKind::Text, ReadRule::Text},
    {"Valormov", FieldKind::Real, ReadRule::Real},
    {"Valordesc", FieldKind::Real, ReadRule::Real},
    {"Jurosmulta", FieldKind::Real, ReadRule::Real},
    {"Dt_movimento", FieldKind::Text, ReadRule::DateMinSec},
    {"Dt_vencimento", FieldKind::Text, ReadRule::DateMinSec},
    {"Codbancopgto", FieldKind::Text, ReadRule::Text},
    {"Codformapgto", FieldKind::Text, ReadRule::Text},
    {"Contacxa", FieldKind::Text, ReadRule::Text},
    {"Datahora", FieldKind::Text, ReadRule::Text},
    {"Nomebancopgto", FieldKind::Text, ReadRule::Text},
    {"Numdocpgto", FieldKind::Text, ReadRule::Text},
    {"Sist_manu", FieldKind::Text, ReadRule::Text},
    {"Usuario", FieldKind::Text, ReadRule::Text},
    {"Codoper", FieldKind::Text, ReadRule::Text},
    {"Contapgto", FieldKind::Text, ReadRule::Text},
    {"Codagenpgto", FieldKind::Text, ReadRule::Text},
    {"Estornado", FieldKind::Text, ReadRule::Text},
    {"Codbancoant", FieldKind::Text, ReadRule::Text},
    {"Codcartant", FieldKind::Text, ReadRule::Text},
    {"Codbancoat", FieldKind::Text, ReadRule::Text},
    {"Codcartat", FieldKind::Text, ReadRule::Text},
    {"Numord2", FieldKind::Text, ReadRule::Text},
    {"Ordemliqreceber", FieldKind::Integer, ReadRule::Integer},
    {"Codliqvalor", FieldKind::Integer, ReadRule::Integer},
    {"Observacao", FieldKind::Text, ReadRule::Text},
    {"Codempresamov", FieldKind::Text, ReadRule::Text},
    {"Codliqintegrada", FieldKind::Integer, ReadRule::Integer},
    {"Nossonumero", FieldKind::Text, ReadRule::Text},
    {"Agenciaat", FieldKind::Text, ReadRule::Text},
    {"Contaat", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
};

const RecordKind TRegistroMovirec{
    "UClassMovirec",
    "TRegistroMovirec",
    "TColMovirec",
    movirecFields,
    "Select Movirec.Codempresa, Movirec.Tipodocto, Movirec.Coddocto, Movirec.Codcliente, "
    "Movirec.Tipomov, Movirec.Numord, Movirec.Valormov, Movirec.Valordesc, Movirec.Jurosmulta, "
    "Movirec.Dt_movimento, Movirec.Dt_vencimento, Movirec.Codbancopgto, Movirec.Codformapgto, "
    "Movirec.Contacxa, Movirec.Datahora, Movirec.Nomebancopgto, Movirec.Numdocpgto, "
    "Movirec.Sist_manu, Movirec.Usuario, Movirec.Codoper, Movirec.Contapgto, "
    "Movirec.Codagenpgto, Movirec.Estornado, Movirec.Codbancoant, Movirec.Codcartant, "
    "Movirec.Codbancoat, Movirec.Codcartat, Movirec.Numord2, Movirec.Ordemliqreceber, "
    "Movirec.Codliqvalor, Movirec.Observacao, Movirec.Codempresamov, Movirec.Codliqintegrada, "
    "Movirec.Nossonumero, Movirec.Agenciaat, Movirec.Contaat, integecf.acao From Movirec inner "
    "join integecf on ( integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and "
    "integecf.tabela = \"MOVIREC\" and integecf.chave0 = Movirec.Codempresa and integecf.chave1 = "
    "Movirec.Tipodocto and integecf.chave2 = Movirec.Coddocto and integecf.chave3 = "
    "Movirec.Codcliente and integecf.chave4 = Movirec.Tipomov and integecf.chave5 = "
    "Movirec.numord ) Order by integecf.dataatual,integecf.horaatual desc",
    "MOVIREC"};

}  // namespace records
