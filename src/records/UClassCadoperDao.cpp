#include "records/UClassCadoperDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
    "Select Cadoper.Codoper, Cadoper.Nome, Cadoper.Senha, Cadoper.Sangria, Cadoper.Cancelaitem, "
    "Cadoper.Cancelavenda, Cadoper.Leiturax, Cadoper.Leituraz, Cadoper.Leituramemoria, "
    "Cadoper.Aberturagaveta, Cadoper.Cancelaatual, Cadoper.Usuario, Cadoper.Historicocliente, "
    "Cadoper.Liquidadocurec, integecf.acao From Cadoper inner join integecf on ( "
    "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"CADOPER\" and integecf.chave0 = Cadoper.Codoper) Order by "
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TCadoperDao::TCadoperDao(db::Connection& connection) : TDao(connection, TRegistroCadoper, sql, queueTable) {}

}  // namespace records
