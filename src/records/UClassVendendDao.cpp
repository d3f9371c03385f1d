#include "records/UClassVendendDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
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
    "Vendend.Codvendedor";

}  // namespace

TVendendDao::TVendendDao(db::Connection& connection) : TDao(connection, TRegistroVendend, sql, queueTable) {}

}  // namespace records
