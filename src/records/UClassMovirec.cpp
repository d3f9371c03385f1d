// Receivable movement records: one movement on a receivable document.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef movirecFields[] = {
    {"Codempresa", ReadRule::Text},
    {"Tipodocto", ReadRule::Text},
    {"Coddocto", ReadRule::Text},
    {"Codcliente", ReadRule::Text},
    {"Tipomov", ReadRule::Text},
    {"Numord", ReadRule::Text},
    {"Valormov", ReadRule::Real},
    {"Valordesc", ReadRule::Real},
    {"Jurosmulta", ReadRule::Real},
    {"Dt_movimento", ReadRule::DateMinSec},
    {"Dt_vencimento", ReadRule::DateMinSec},
    {"Codbancopgto", ReadRule::Text},
    {"Codformapgto", ReadRule::Text},
    {"Contacxa", ReadRule::Text},
    {"Datahora", ReadRule::Text},
    {"Nomebancopgto", ReadRule::Text},
    {"Numdocpgto", ReadRule::Text},
    {"Sist_manu", ReadRule::Text},
    {"Usuario", ReadRule::Text},
    {"Codoper", ReadRule::Text},
    {"Contapgto", ReadRule::Text},
    {"Codagenpgto", ReadRule::Text},
    {"Estornado", ReadRule::Text},
    {"Codbancoant", ReadRule::Text},
    {"Codcartant", ReadRule::Text},
    {"Codbancoat", ReadRule::Text},
    {"Codcartat", ReadRule::Text},
    {"Numord2", ReadRule::Text},
    {"Ordemliqreceber", ReadRule::Integer},
    {"Codliqvalor", ReadRule::Integer},
    {"Observacao", ReadRule::Text},
    {"Codempresamov", ReadRule::Text},
    {"Codliqintegrada", ReadRule::Integer},
    {"Nossonumero", ReadRule::Text},
    {"Agenciaat", ReadRule::Text},
    {"Contaat", ReadRule::Text},
    {"Acao", ReadRule::Text},
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
