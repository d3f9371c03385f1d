#include "records/UClassVendend.h"

namespace records {
namespace {

constexpr FieldDef fields[] = {
    {"Codvendedor", FieldKind::Text, ReadRule::Text},
    {"Nome", FieldKind::Text, ReadRule::Text},
    {"Endereco", FieldKind::Text, ReadRule::Text},
    {"Bairro", FieldKind::Text, ReadRule::Text},
    {"Codcidade", FieldKind::Text, ReadRule::Text},
    {"Estado", FieldKind::Text, ReadRule::Text},
    {"Cep", FieldKind::Text, ReadRule::Text},
    {"Telefone", FieldKind::Text, ReadRule::Text},
    {"Comissao", FieldKind::Real, ReadRule::Real},
    {"Email", FieldKind::Text, ReadRule::Text},
    {"Codpraca", FieldKind::Text, ReadRule::Text},
    {"Ativo", FieldKind::Text, ReadRule::Text},
    {"Codrota", FieldKind::Text, ReadRule::Text},
    {"Codrota2", FieldKind::Text, ReadRule::Text},
    {"Codrota3", FieldKind::Text, ReadRule::Text},
    {"Codrota4", FieldKind::Text, ReadRule::Text},
    {"Codrota5", FieldKind::Text, ReadRule::Text},
    {"Codrota6", FieldKind::Text, ReadRule::Text},
    {"Codrota7", FieldKind::Text, ReadRule::Text},
    {"Codrota8", FieldKind::Text, ReadRule::Text},
    {"Codrota9", FieldKind::Text, ReadRule::Text},
    {"Codrota10", FieldKind::Text, ReadRule::Text},
    {"Tipovendedor", FieldKind::Text, ReadRule::Text},
    {"Dataultimavisita", FieldKind::Text, ReadRule::DateMinSec},
    {"Cgccpf", FieldKind::Text, ReadRule::Text},
    {"Inscest", FieldKind::Text, ReadRule::Text},
    {"Rg", FieldKind::Text, ReadRule::Text},
    {"Mudaprecopdv", FieldKind::Text, ReadRule::Text},
    {"Ultimavisitamarcada", FieldKind::Text, ReadRule::DateMinSec},
    {"Horaini", FieldKind::Text, ReadRule::Text},
    {"Horafim", FieldKind::Text, ReadRule::Text},
    {"Senhatransf", FieldKind::Text, ReadRule::Text},
    {"Codsupervisor", FieldKind::Text, ReadRule::Text},
    {"Codempresa", FieldKind::Text, ReadRule::Text},
    {"Codfornec", FieldKind::Text, ReadRule::Text},
    {"Precovendedor", FieldKind::Integer, ReadRule::Integer},
    {"Codbarrasvend", FieldKind::Text, ReadRule::Text},
    {"Senhafarmpop", FieldKind::Text, ReadRule::Text},
    {"Codfid", FieldKind::Text, ReadRule::NotFilled},
    {"Acao", FieldKind::Text, ReadRule::Text},
};

}  // namespace

const RecordKind TRegistroVendend{"UClassVendend", "TRegistroVendend", "TColVendend", fields};

}  // namespace records
