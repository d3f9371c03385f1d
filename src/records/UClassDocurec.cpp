// Receivable document records: one document of the accounts receivable.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef docurecFields[] = {
    {"Codempresa", ReadRule::Text},
    {"Codcliente", ReadRule::Text},
    {"Tipodocto", ReadRule::Text},
    {"Coddocto", ReadRule::Text},
    {"Dt_venda", ReadRule::DateMinSec},
    {"Dt_emissao", ReadRule::DateMinSec},
    {"Dt_vencimento", ReadRule::DateMinSec},
    {"Codmoeda", ReadRule::Text},
    {"Valorvenda", ReadRule::Real},
    {"Valordocto", ReadRule::Real},
    {"Valordesc", ReadRule::Real},
    {"Valorpago", ReadRule::Real},
    {"Valordevol", ReadRule::Real},
    {"Nossonumero", ReadRule::Text},
    {"Numord", ReadRule::Text},
    {"Numdocorig", ReadRule::Text},
    {"Codbanco", ReadRule::Text},
    {"Codvendedor", ReadRule::Text},
    {"Codcart", ReadRule::Text},
    {"Comissao", ReadRule::Real},
    {"Contacxa", ReadRule::Text},
    {"Emitiuboleta", ReadRule::Text},
    {"Sist_manu", ReadRule::Text},
    {"Situacao", ReadRule::Text},
    {"Observacao", ReadRule::Text},
    {"Codoper", ReadRule::Text},
    {"Ordem", ReadRule::Text},
    {"Quantitens", ReadRule::Real},
    {"Txantecip", ReadRule::Real},
    {"Despadic", ReadRule::Real},
    {"Anotacoes", ReadRule::Text},
    {"Numdocbco", ReadRule::Text},
    {"Tipovinculo", ReadRule::Text},
    {"Codvinculo", ReadRule::Text},
    {"Codplanovinculo", ReadRule::Text},
    {"Codformavinculo", ReadRule::Text},
    {"Taxaretencao", ReadRule::Real},
    {"Codproj", ReadRule::Integer},
    {"Descfinanc", ReadRule::Real},
    {"Codcobrador", ReadRule::Text},
    {"Txmanutencao", ReadRule::Real},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroDocurec{
    "UClassDocurec",
    "TRegistroDocurec",
    "TColDocurec",
    docurecFields,
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
    "Docurec.Coddocto ) Order by integecf.dataatual,integecf.horaatual desc",
    "DOCUREC"};

}  // namespace records
