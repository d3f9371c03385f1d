#include "records/UClassMovirec.h"

namespace records {
namespace {

constexpr FieldDef fields[] = {
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

}  // namespace

const RecordKind TRegistroMovirec{"UClassMovirec", "TRegistroMovirec", "TColMovirec", fields};

}  // namespace records
