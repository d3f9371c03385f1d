// Supplier records: registration data of one supplier.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef forneceFields[] = {
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

const RecordKind TRegistroFornece{
    "UClassFornece",
    "TRegistroFornece",
    "TColFornece",
    forneceFields,
    "Select Fornece.Codfornec, Fornece.Nome, Fornece.Nomefantasia, Fornece.Bairro, Fornece.Cep, "
    "Fornece.Campolivre1, Fornece.Campolivre2, Fornece.Cgccpf, Fornece.Codcidade, "
    "Fornece.Codtipo, Fornece.Contacx, Fornece.Contato, Fornece.Ctctbred, Fornece.Endereco, "
    "Fornece.Estado, Fornece.Fax, Fornece.Fone, Fornece.Inscest, Fornece.Observacao, "
    "Fornece.Pessoa_fj, Fornece.Homepage, Fornece.Email, Fornece.Ativo, Fornece.Codcliente, "
    "Fornece.Celular, Fornece.Inscmunicipal, Fornece.Tipofornece, Fornece.Comissao, "
    "Fornece.Complemento, Fornece.Numero, integecf.acao From Fornece inner join integecf on ( "
    "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"FORNECE\" and integecf.chave0 = Fornece.Codfornec) Order by "
    "integecf.dataatual,integecf.horaatual desc",
    "FORNECE"};

}  // namespace records
