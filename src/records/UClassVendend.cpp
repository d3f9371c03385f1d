// Seller records: one seller with its routes and settings.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef vendendFields[] = {
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
