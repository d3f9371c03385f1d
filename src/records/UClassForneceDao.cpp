#include "records/UClassForneceDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
    "Select Fornece.Codfornec, Fornece.Nome, Fornece.Nomefantasia, Fornece.Bairro, Fornece.Cep, "
    "Fornece.Campolivre1, Fornece.Campolivre2, Fornece.Cgccpf, Fornece.Codcidade, "
    "Fornece.Codtipo, Fornece.Contacx, Fornece.Contato, Fornece.Ctctbred, Fornece.Endereco, "
    "Fornece.Estado, Fornece.Fax, Fornece.Fone, Fornece.Inscest, Fornece.Observacao, "
    "Fornece.Pessoa_fj, Fornece.Homepage, Fornece.Email, Fornece.Ativo, Fornece.Codcliente, "
    "Fornece.Celular, Fornece.Inscmunicipal, Fornece.Tipofornece, Fornece.Comissao, "
    "Fornece.Complemento, Fornece.Numero, integecf.acao From Fornece inner join integecf on ( "
    "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"FORNECE\" and integecf.chave0 = Fornece.Codfornec) Order by "
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TForneceDao::TForneceDao(db::Connection& connection) : TDao(connection, TRegistroFornece, sql, queueTable) {}

}  // namespace records
