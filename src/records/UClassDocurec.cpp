// Receivable document records: one document of the accounts receivable.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef docurecFields[] = {
    {"Codempresa", FieldKind::Text, ReadRule::Text},
    {"Codcliente", FieldKind::Text, ReadRule::Text},
    {"Tipodocto", FieldKind::Text, ReadRule::Text},
    {"Coddocto", FieldKind::Text, ReadRule::Text},
    {"Dt_venda", FieldKind::Text, ReadRule::DateMinSec},
    {"Dt_emissao", FieldKind::Text, ReadRule::DateMinSec},
    {"Dt_vencimento", FieldKind::Text, ReadRule::DateMinSec},
    {"Codmoeda", FieldKind::Text, ReadRule::Text},
    {"Valorvenda", FieldKind::Real, ReadRule::Real},
    {"Valordocto", FieldKind::Real, ReadRule::Real},
    {"Valordesc", FieldKind::Real, ReadRule::Real},
    {"Valorpago", FieldKind::Real, ReadRule::Real},
    {"Valordevol", FieldKind::Real, ReadRule::Real},
    {"Nossonumero", FieldKind::Text, ReadRule::Text},
    {"Numord", FieldKind::Text, ReadRule::Text},
    {"Numdocorig", FieldKind::Text, ReadRule::Text},
    {"Codbanco", FieldKind::Text, ReadRule::Text},
    {"Codvendedor", FieldKind::Text, ReadRule::Text},
    {"Codcart", FieldKind::Text, ReadRule::Text},
    {"Comissao", FieldKind::Real, ReadRule::Real},
    {"Contacxa", FieldKind::Text, ReadRule::Text},
    {"Emitiuboleta", FieldKind::Text, ReadRule::Text},
    {"Sist_manu", FieldKind::Text, ReadRule::Text},
    {"Situacao", FieldKind::Text, ReadRule::Text},
    {"Observacao", FieldKind::Text, ReadRule::Text},
    {"Codoper", FieldKind::Text, ReadRule::Text},
    {"Ordem", FieldKind::Text, ReadRule::Text},
    {"Quantitens", FieldKind::Real, ReadRule::Real},
    {"Txantecip", FieldKind::Real, ReadRule::Real},
    {"Despadic", FieldKind::Real, ReadRule::Real},
    {"Anotacoes", FieldKind::Text, ReadRule::Text},
    {"Numdocbco", FieldKind::Text, ReadRule::Text},
    {"Tipovinculo", FieldKind::Text, ReadRule::Text},
    {"Codvinculo", FieldKind::Text, ReadRule::Text},
    {"Codplanovinculo", FieldKind::Text, ReadRule::Text},
    {"Codformavinculo", FieldKind::Text, ReadRule::Text},
    {"Taxaretencao", FieldKind::Real, ReadRule::Real},
    {"Codproj", FieldKind::Integer, ReadRule::Integer},
    {"Descfinanc", FieldKind::Real, ReadRule::Real},
    {"Codcobrador", FieldKind::Text, ReadRule::Text},
    {"Txmanutencao", FieldKind::Real, ReadRule::Real},
    {"Acao", FieldKind::Text, ReadRule::Text},
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
