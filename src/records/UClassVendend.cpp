// Seller records: one seller with its routes and settings.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef vendendFields[] = {
    {"Codvendedor", ReadRule::Text},
    {"Nome", ReadRule::Text},
    {"Endereco", ReadRule::Text},
    {"Bairro", ReadRule::Text},
    {"Codcidade", ReadRule::Text},
    {"Estado", ReadRule::Text},
    {"Cep", ReadRule::Text},
    {"Telefone", ReadRule::Text},
    {"Comissao", ReadRule::Real},
    {"Email", ReadRule::Text},
    {"Codpraca", ReadRule::Text},
    {"Ativo", ReadRule::Text},
    {"Codrota", ReadRule::Text},
    {"Codrota2", ReadRule::Text},
    {"Codrota3", ReadRule::Text},
    {"Codrota4", ReadRule::Text},
    {"Codrota5", ReadRule::Text},
    {"Codrota6", ReadRule::Text},
    {"Codrota7", ReadRule::Text},
    {"Codrota8", ReadRule::Text},
    {"Codrota9", ReadRule::Text},
    {"Codrota10", ReadRule::Text},
    {"Tipovendedor", ReadRule::Text},
    {"Dataultimavisita", ReadRule::DateMinSec},
    {"Cgccpf", ReadRule::Text},
    {"Inscest", ReadRule::Text},
    {"Rg", ReadRule::Text},
    {"Mudaprecopdv", ReadRule::Text},
    {"Ultimavisitamarcada", ReadRule::DateMinSec},
    {"Horaini", ReadRule::Text},
    {"Horafim", ReadRule::Text},
    {"Senhatransf", ReadRule::Text},
    {"Codsupervisor", ReadRule::Text},
    {"Codempresa", ReadRule::Text},
    {"Codfornec", ReadRule::Text},
    {"Precovendedor", ReadRule::Integer},
    {"Codbarrasvend", ReadRule::Text},
    {"Senhafarmpop", ReadRule::Text},
    {"Codfid", ReadRule::NotFilled},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroVendend{
    "UClassVendend",
    "TRegistroVendend",
    "TColVendend",
    vendendFields,
    "Select Vendend.Codvendedor, Vendend.Nome, Vendend.Endereco, Vendend.Bairro, "
    "Vendend.Codcidade, Vendend.Estado, Vendend.Cep, Vendend.Telefone, Vendend.Comissao, "
    "Vendend.Email, Vendend.Codpraca, Vendend.Ativo, Vendend.Codrota, Vendend.Codrota2, "
    "Vendend.Codrota3, Vendend.Codrota4, Vendend.Codrota5, Vendend.Codrota6, Vendend.Codrota7, "
    "Vendend.Codrota8, Vendend.Codrota9, Vendend.Codrota10, Vendend.Tipovendedor, "
    "Vendend.Dataultimavisita, Vendend.Cgccpf, Vendend.Inscest, Vendend.Rg, "
    "Vendend.Mudaprecopdv, Vendend.Ultimavisitamarcada, Vendend.Horaini, Vendend.Horafim, "
    "Vendend.Senhatransf, Vendend.Codsupervisor, Vendend.Codempresa, Vendend.Codfornec, "
    "Vendend.Precovendedor, Vendend.Codbarrasvend, Vendend.Senhafarmpop, integecf.acao From "
    "Vendend inner join integecf on ( integecf.codempresa = :PCodEmpresa and integecf.ecf = "
    ":PEcf and integecf.tabela = \"VENDEND\" and integecf.chave0 = Vendend.Codvendedor) Order by "
    "Vendend.Codvendedor",
    "VENDEND"};

}  // namespace records
