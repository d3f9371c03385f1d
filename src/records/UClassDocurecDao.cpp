#include "records/UClassDocurecDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
    "Select Docurec.Codempresa, Docurec.Codcliente, Docurec.Tipodocto, Docurec.Coddocto, "
    "Docurec.Dt_venda, Docurec.Dt_emissao, Docurec.Dt_vencimento, Docurec.Codmoeda, "
    "Docurec.Valorvenda, Docurec.Valordocto, Docurec.Valordesc, Docurec.Valorpago, "
    "Docurec.Valordevol, Docurec.Nossonumero, Docurec.Numord, Docurec.Numdocorig, "
    "Docurec.Codbanco, Docurec.Codvendedor, Docurec.Codcart, Docurec.Comissao, "
    "Docurec.Contacxa, Docurec.Emitiuboleta, Docurec.Sist_manu, Docurec.Situacao, "
    "Docurec.Observacao, Docurec.Codoper, Docurec.Ordem, Docurec.Quantitens, Docurec.Txantecip, "
    "Docurec.Despadic, Docurec.Anotacoes, Docurec.Numdocbco, Docurec.Tipovinculo, "
    "Docurec.Codvinculo, Docurec.Codplanovinculo, Docurec.Codformavinculo, "
    "Docurec.Taxaretencao, Docurec.Codproj, Docurec.Descfinanc, Docurec.Codcobrador, "
    "Docurec.Txmanutencao, integecf.acao From Docurec inner join integecf on ( "
    "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"DOCUREC\" and integecf.chave0 = Docurec.Codempresa and integecf.chave1 = "
    "Docurec.Codcliente and integecf.chave2 = Docurec.Tipodocto and integecf.chave3 = "
    "Docurec.Coddocto ) Order by integecf.dataatual,integecf.horaatual desc";

}  // namespace

TDocurecDao::TDocurecDao(db::Connection& connection) : TDao(connection, TRegistroDocurec, sql, queueTable) {}

}  // namespace records
