#include "records/UClassMovirecDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
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
    "Movirec.numord ) Order by integecf.dataatual,integecf.horaatual desc";

}  // namespace

TMovirecDao::TMovirecDao(db::Connection& connection) : TDao(connection, TRegistroMovirec, sql, queueTable) {}

}  // namespace records
