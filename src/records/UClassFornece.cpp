// Supplier records: registration data of one supplier.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef forneceFields[] = {
    {"Codfornec", ReadRule::Text},   {"Nome", ReadRule::Text},          {"Nomefantasia", ReadRule::Text},
    {"Bairro", ReadRule::Text},      {"Cep", ReadRule::Text},           {"Campolivre1", ReadRule::Text},
    {"Campolivre2", ReadRule::Text}, {"Cgccpf", ReadRule::Text},        {"Codcidade", ReadRule::Text},
    {"Codtipo", ReadRule::Text},     {"Contacx", ReadRule::Text},       {"Contato", ReadRule::Text},
    {"Ctctbred", ReadRule::Text},    {"Endereco", ReadRule::Text},      {"Estado", ReadRule::Text},
    {"Fax", ReadRule::Text},         {"Fone", ReadRule::Text},          {"Inscest", ReadRule::Text},
    {"Observacao", ReadRule::Text},  {"Pessoa_fj", ReadRule::Text},     {"Homepage", ReadRule::Text},
    {"Email", ReadRule::Text},       {"Ativo", ReadRule::Text},         {"Codcliente", ReadRule::Text},
    {"Celular", ReadRule::Text},     {"Inscmunicipal", ReadRule::Text}, {"Tipofornece", ReadRule::Text},
    {"Comissao", ReadRule::Real},    {"Complemento", ReadRule::Text},   {"Numero", ReadRule::Text},
    {"Acao", ReadRule::Text},
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
