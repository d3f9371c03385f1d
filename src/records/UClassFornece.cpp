#include "records/UClassFornece.h"

namespace records {
namespace {

constexpr FieldDef fields[] = {
    {"Codfornec", FieldKind::Text, ReadRule::Text},    {"Nome", FieldKind::Text, ReadRule::Text},
    {"Nomefantasia", FieldKind::Text, ReadRule::Text}, {"Bairro", FieldKind::Text, ReadRule::Text},
    {"Cep", FieldKind::Text, ReadRule::Text},          {"Campolivre1", FieldKind::Text, ReadRule::Text},
    {"Campolivre2", FieldKind::Text, ReadRule::Text},  {"Cgccpf", FieldKind::Text, ReadRule::Text},
    {"Codcidade", FieldKind::Text, ReadRule::Text},    {"Codtipo", FieldKind::Text, ReadRule::Text},
    {"Contacx", FieldKind::Text, ReadRule::Text},      {"Contato", FieldKind::Text, ReadRule::Text},
    {"Ctctbred", FieldKind::Text, ReadRule::Text},     {"Endereco", FieldKind::Text, ReadRule::Text},
    {"Estado", FieldKind::Text, ReadRule::Text},       {"Fax", FieldKind::Text, ReadRule::Text},
    {"Fone", FieldKind::Text, ReadRule::Text},         {"Inscest", FieldKind::Text, ReadRule::Text},
    {"Observacao", FieldKind::Text, ReadRule::Text},   {"Pessoa_fj", FieldKind::Text, ReadRule::Text},
    {"Homepage", FieldKind::Text, ReadRule::Text},     {"Email", FieldKind::Text, ReadRule::Text},
    {"Ativo", FieldKind::Text, ReadRule::Text},        {"Codcliente", FieldKind::Text, ReadRule::Text},
    {"Celular", FieldKind::Text, ReadRule::Text},      {"Inscmunicipal", FieldKind::Text, ReadRule::Text},
    {"Tipofornece", FieldKind::Text, ReadRule::Text},  {"Comissao", FieldKind::Real, ReadRule::Real},
    {"Complemento", FieldKind::Text, ReadRule::Text},  {"Numero", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
};

}  // namespace

const RecordKind TRegistroFornece{"UClassFornece", "TRegistroFornece", "TColFornece", fields};

}  // namespace records
