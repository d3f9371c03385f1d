// Product records: registration, tax, price and purchase data of one product.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef produtoFields[] = {
    {"Codprod", FieldKind::Text, ReadRule::Text},
    {"Ativo", FieldKind::Text, ReadRule::Text},
    {"Referencia", FieldKind::Text, ReadRule::Text},
    {"Reffabricante", FieldKind::Text, ReadRule::Text},
    {"Descricao", FieldKind::Text, ReadRule::Text},
    {"Descricao2", FieldKind::Text, ReadRule::Text},
    {"Descricao3", FieldKind::Text, ReadRule::Text},
    {"Codgrupo", FieldKind::Text, ReadRule::Text},
    {"Codsubgrupo", FieldKind::Text, ReadRule::Text},
    {"Tipoprod", FieldKind::Text, ReadRule::Text},
    {"Estminimo", FieldKind::Real, ReadRule::Real},
    {"Diasestminimo", FieldKind::Integer, ReadRule::Integer},
    {"Estmaximo", FieldKind::Real, ReadRule::Real},
    {"Diasestmaximo", FieldKind::Integer, ReadRule::Integer},
    {"Codclasfis", FieldKind::Text, ReadRule::Text},
    {"Aliqipi", FieldKind::Real, ReadRule::Real},
    {"Aliqiss", FieldKind::Real, ReadRule::Real},
    {"Aliqicmsreg00", FieldKind::Real, ReadRule::Real},
    {"Baseicmsreg00", FieldKind::Real, ReadRule::Real},
    {"Codtribut00", FieldKind::Text, ReadRule::Text},
    {"Mensagem00", FieldKind::Text, ReadRule::Text},
    {"Aliqicmsreg01", FieldKind::Real, ReadRule::Real},
    {"Baseicmsreg01", FieldKind::Real, ReadRule::Real},
    {"Codtribut01", FieldKind::Text, ReadRule::Text},
    {"Mensagem01", FieldKind::Text, ReadRule::Text},
    {"Aliqicmsreg02", FieldKind::Real, ReadRule::Real},
    {"Baseicmsreg02", FieldKind::Real, ReadRule::Real},
    {"Codtribut02", FieldKind::Text, ReadRule::Text},
    {"Mensagem02", FieldKind::Text, ReadRule::Text},
    {"Aliqicmsreg03", FieldKind::Real, ReadRule::Real},
    {"Baseicmsreg03", FieldKind::Real, ReadRule::Real},
    {"Codtribut03", FieldKind::Text, ReadRule::Text},
    {"Mensagem03", FieldKind::Text, ReadRule::Text},
    {"Substrib", FieldKind::Text, ReadRule::Text},
    {"Lucrosubstrib", FieldKind::Real, ReadRule::Real},
    {"Comissao", FieldKind::Real, ReadRule::Real},
    {"Embalagem", FieldKind::Text, ReadRule::Text},
    {"Codlocal", FieldKind::Text, ReadRule::Text},
    {"Codfabric", FieldKind::Text, ReadRule::Text},
    {"Peso", FieldKind::Real, ReadRule::Real},
    {"Unidadeent", FieldKind::Text, ReadRule::Text},
    {"Unidadesaida", FieldKind::Text, ReadRule::Text},
    {"Fatorconversao", FieldKind::Real, ReadRule::Real},
    {"Multdivide", FieldKind::Text, ReadRule::Text},
    {"Pr_ult_ent1", FieldKind::Real, ReadRule::Real},
    {"Data_ult_ent1", FieldKind::Text, ReadRule::DateMinSec},
    {"Quant_ult_ent1", FieldKind::Real, ReadRule::Real},
    {"Fornec_ult_ent1", FieldKind::Text, ReadRule::Text},
    {"Pr_ult_ent2", FieldKind::Real, ReadRule::Real},
    {"Data_ult_ent2", FieldKind::Text, ReadRule::DateMinSec},
    {"Quant_ult_ent2", FieldKind::Real, ReadRule::Real},
    {"Fornec_ult_ent2", FieldKind::Text, ReadRule::Text},
    {"Pr_ult_ent3", FieldKind::Real, ReadRule::Real},
    {"Data_ult_ent3", FieldKind::Text, ReadRule::DateMinSec},
    {"Quant_ult_ent3", FieldKind::Real, ReadRule::Real},
    {"Fornec_ult_ent3", FieldKind::Text, ReadRule::Text},
    {"Dvv", FieldKind::Real, ReadRule::Real},
    {"Lucro", FieldKind::Real, ReadRule::Real},
    {"Sugestao", FieldKind::Real, ReadRule::Real},
    {"Preco", FieldKind::Real, ReadRule::Real},
    {"Prodbloqueado", FieldKind::Text, ReadRule::Text},
    {"Campolivre1", FieldKind::Text, ReadRule::Text},
    {"Campolivre2", FieldKind::Text, ReadRule::Text},
    {"Campolivre3", FieldKind::Text, ReadRule::Text},
    {"Campolivre4", FieldKind::Text, ReadRule::Text},
    {"Principalfornec", FieldKind::Text, ReadRule::Text},
    {"Nota_ult_ent1", FieldKind::Text, ReadRule::Text},
    {"Nota_ult_ent2", FieldKind::Text, ReadRule::Text},
    {"Nota_ult_ent3", FieldKind::Text, ReadRule::Text},
    {"Controleserie", FieldKind::Text, ReadRule::Text},
    {"Codprodbaixa", FieldKind::Text, ReadRule::Text},
    {"Fatorconvbaixa", FieldKind::Real, ReadRule::Real},
    {"Multdivbaixa", FieldKind::Text, ReadRule::Text},
    {"Codfrete", FieldKind::Text, ReadRule::Text},
    {"Dt_cadastro", FieldKind::Text, ReadRule::DateMinSec},
    {"Descricaopreco", FieldKind::Text, ReadRule::Text},
    {"Preco2", FieldKind::Real, ReadRule::Real},
    {"Descricaopreco2", FieldKind::Text, ReadRule::Text},
    {"Preco3", FieldKind::Real, ReadRule::Real},
    {"Descricaopreco3", FieldKind::Text, ReadRule::Text},
    {"Lucro2", FieldKind::Real, ReadRule::Real},
    {"Lucro3", FieldKind::Real, ReadRule::Real},
    {"Itemportaria790", FieldKind::Text, ReadRule::Text},
    {"Enviado", FieldKind::Text, ReadRule::Text},
    {"Precodolar", FieldKind::Real, ReadRule::Real},
    {"Data_ult_alteracao", FieldKind::Text, ReadRule::DateMinSec},
    {"Percperda", FieldKind::Real, ReadRule::Real},
    {"Precopromo", FieldKind::Real, ReadRule::Real},
    {"Datainipromo", FieldKind::Text, ReadRule::DateMinSec},
    {"Datafimpromo", FieldKind::Text, ReadRule::DateMinSec},
    {"Substribsaida", FieldKind::Text, ReadRule::Text},
    {"Percbasesubstribsaida", FieldKind::Real, ReadRule::Real},
    {"Percicmssubstribsaida", FieldKind::Real, ReadRule::Real},
    {"Temsubitens", FieldKind::Text, ReadRule::Text},
    {"Codsegmentosubtribsaida", FieldKind::Text, ReadRule::Text},
    {"Aliqicmsdiversos", FieldKind::Real, ReadRule::Real},
    {"Baseicmsdiversos", FieldKind::Real, ReadRule::Real},
    {"Codtributdiversos", FieldKind::Text, ReadRule::Text},
    {"Mensagemdiversos", FieldKind::Text, ReadRule::Text},
    {"Tipodiversos", FieldKind::Text, ReadRule::Text},
    {"Contacxa", FieldKind::Text, ReadRule::Text},
    {"Percicmmargemlucro", FieldKind::Real, ReadRule::Real},
    {"Aliqinternaicmlucro", FieldKind::Real, ReadRule::Real},
    {"Segmentoicmlucro", FieldKind::Text, ReadRule::Text},
    {"Segmentoicmdiversos", FieldKind::Text, ReadRule::Text},
    {"Aliqicmsdiversos2", FieldKind::Real, ReadRule::Real},
    {"Baseicmsdiversos2", FieldKind::Real, ReadRule::Real},
    {"Codtributdiversos2", FieldKind::Text, ReadRule::Text},
    {"Mensagemdiversos2", FieldKind::Text, ReadRule::Text},
    {"Controlelote", FieldKind::Text, ReadRule::Text},
    {"Grade", FieldKind::Integer, ReadRule::Integer},
    {"Aceitaprecozero", FieldKind::Text, ReadRule::Text},
    {"Vlrcobraroper", FieldKind::Real, ReadRule::Real},
    {"Comissaovlr", FieldKind::Real, ReadRule::Real},
    {"Garantia", FieldKind::Integer, ReadRule::Integer},
    {"Aliqicmspdv", FieldKind::Real, ReadRule::Real},
    {"Ipiantigo", FieldKind::Real, ReadRule::Real},
    {"Custodolar", FieldKind::Real, ReadRule::Real},
    {"Lucro4", FieldKind::Real, ReadRule::Real},
    {"Descricaopreco4", FieldKind::Text, ReadRule::Text},
    {"Preco4", FieldKind::Real, ReadRule::Real},
    {"Prodbalanca", FieldKind::Text, ReadRule::Text},
    {"Substribsaidar1", FieldKind::Text, ReadRule::Text},
    {"Percbasesubstribsaidar1", FieldKind::Real, ReadRule::Real},
    {"Percicmssubstribsaidar1", FieldKind::Real, ReadRule::Real},
    {"Substribsaidar2", FieldKind::Text, ReadRule::Text},
    {"Percbasesubstribsaidar2", FieldKind::Real, ReadRule::Real},
    {"Percicmssubstribsaidar2", FieldKind::Real, ReadRule::Real},
    {"Substribsaidar3", FieldKind::Text, ReadRule::Text},
    {"Percbasesubstribsaidar3", FieldKind::Real, ReadRule::Real},
    {"Percicmssubstribsaidar3", FieldKind::Real, ReadRule::Real},
    {"Descontomaximo", FieldKind::Real, ReadRule::Real},
    {"Lucroprevisto", FieldKind::Real, ReadRule::Real},
    {"Redutor", FieldKind::Real, ReadRule::Real},
    {"Tipomedicamento", FieldKind::Integer, ReadRule::Integer},
    {"Descpercpadrao", FieldKind::Real, ReadRule::Real},
    {"Itemportariaforauf", FieldKind::Text, ReadRule::Text},
    {"Data_ult_reajuste", FieldKind::Text, ReadRule::DateMinSec},
    {"Preco_anterior", FieldKind::Real, ReadRule::Real},
    {"Observacao", FieldKind::Text, ReadRule::Text},
    {"Codvolume", FieldKind::Text, ReadRule::Text},
    {"Fracionado", FieldKind::Text, ReadRule::Text},
    {"Codgeneroitem", FieldKind::Text, ReadRule::Text},
    {"Custooperc", FieldKind::Real, ReadRule::Real},
    {"Perc_iva", FieldKind::Real, ReadRule::Real},
    {"Valoripi", FieldKind::Real, ReadRule::Real},
    {"Tipoentrega", FieldKind::Text, ReadRule::Text},
    {"Liminiloteentrega", FieldKind::Real, ReadRule::Real},
    {"Limfimloteentrega", FieldKind::Real, ReadRule::Real},
    {"Consideracomissao", FieldKind::Text, ReadRule::Text},
    {"Multiplo", FieldKind::Real, ReadRule::Real},
    {"Unidademultiplo", FieldKind::Text, ReadRule::Text},
    {"Substribsaidar4", FieldKind::Text, ReadRule::Text},
    {"Percbasesubstribsaidar4", FieldKind::Real, ReadRule::Real},
    {"Percicmssubstribsaidar4", FieldKind::Real, ReadRule::Real},
    {"Tipolista", FieldKind::Text, ReadRule::Text},
    {"Codprodproducao", FieldKind::Text, ReadRule::Text},
    {"Farmaciapopular", FieldKind::Text, ReadRule::Text},
    {"Cfopdentrouf", FieldKind::Text, ReadRule::Text},
    {"Cfopforauf", FieldKind::Text, ReadRule::Text},
    {"Codprodpai", FieldKind::Text, ReadRule::Text},
    {"Codfamilia", FieldKind::Text, ReadRule::Text},
    {"Codtipoproduto", FieldKind::Text, ReadRule::Text},
    {"Testedogerabanco", FieldKind::Text, ReadRule::Text},
    {"Passapelolaudo", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
};

const RecordKind TRegistroProduto{
    "UClassProduto",
    "TRegistroProduto",
    "TColProduto",
    produtoFields,
    "Select Produto.Codprod, Produto.Ativo, Produto.Referencia, Produto.Reffabricante, "
    "Produto.Descricao, Produto.Descricao2, Produto.Descricao3, Produto.Codgrupo, "
    "Produto.Codsubgrupo, Produto.Tipoprod, Produto.Estminimo, Produto.Diasestminimo, "
    "Produto.Estmaximo, Produto.Diasestmaximo, Produto.Codclasfis, Produto.Aliqipi, "
    "Produto.Aliqiss, Produto.Aliqicmsreg00, Produto.Baseicmsreg00, Produto.Codtribut00, "
    "Produto.Mensagem00, Produto.Aliqicmsreg01, Produto.Baseicmsreg01, Produto.Codtribut01, "
    "Produto.Mensagem01, Produto.Aliqicmsreg02, Produto.Baseicmsreg02, Produto.Codtribut02, "
    "Produto.Mensagem02, Produto.Aliqicmsreg03, Produto.Baseicmsreg03, Produto.Codtribut03, "
    "Produto.Mensagem03, Produto.Substrib, Produto.Lucrosubstrib, Produto.Comissao, "
    "Produto.Embalagem, Produto.Codlocal, Produto.Codfabric, Produto.Peso, Produto.Unidadeent, "
    "Produto.Unidadesaida, Produto.Fatorconversao, Produto.Multdivide, Produto.Pr_ult_ent1, "
    "Produto.Data_ult_ent1, Produto.Quant_ult_ent1, Produto.Fornec_ult_ent1, "
    "Produto.Pr_ult_ent2, Produto.Data_ult_ent2, Produto.Quant_ult_ent2, "
    "Produto.Fornec_ult_ent2, Produto.Pr_ult_ent3, Produto.Data_ult_ent3, "
    "Produto.Quant_ult_ent3, Produto.Fornec_ult_ent3, Produto.Dvv, Produto.Lucro, "
    "Produto.Sugestao, Produto.Preco, Produto.Prodbloqueado, Produto.Campolivre1, "
    "Produto.Campolivre2, Produto.Campolivre3, Produto.Campolivre4, Produto.Principalfornec, "
    "Produto.Nota_ult_ent1, Produto.Nota_ult_ent2, Produto.Nota_ult_ent3, "
    "Produto.Controleserie, Produto.Codprodbaixa, Produto.Fatorconvbaixa, Produto.Multdivbaixa, "
    "Produto.Codfrete, Produto.Dt_cadastro, Produto.Descricaopreco, Produto.Preco2, "
    "Produto.Descricaopreco2, Produto.Preco3, Produto.Descricaopreco3, Produto.Lucro2, "
    "Produto.Lucro3, Produto.Itemportaria790, Produto.Enviado, Produto.Precodolar, "
    "Produto.Data_ult_alteracao, Produto.Percperda, Produto.Precopromo, Produto.Datainipromo, "
    "Produto.Datafimpromo, Produto.Substribsaida, Produto.Percbasesubstribsaida, "
    "Produto.Percicmssubstribsaida, Produto.Temsubitens, Produto.Codsegmentosubtribsaida, "
    "Produto.Aliqicmsdiversos, Produto.Baseicmsdiversos, Produto.Codtributdiversos, "
    "Produto.Mensagemdiversos, Produto.Tipodiversos, Produto.Contacxa, "
    "Produto.Percicmmargemlucro, Produto.Aliqinternaicmlucro, Produto.Segmentoicmlucro, "
    "Produto.Segmentoicmdiversos, Produto.Aliqicmsdiversos2, Produto.Baseicmsdiversos2, "
    "Produto.Codtributdiversos2, Produto.Mensagemdiversos2, Produto.Controlelote, "
    "Produto.Grade, Produto.Aceitaprecozero, Produto.Vlrcobraroper, Produto.Comissaovlr, "
    "Produto.Garantia, Produto.Aliqicmspdv, Produto.Ipiantigo, Produto.Custodolar, "
    "Produto.Lucro4, Produto.Descricaopreco4, Produto.Preco4, Produto.Prodbalanca, "
    "Produto.Substribsaidar1, Produto.Percbasesubstribsaidar1, Produto.Percicmssubstribsaidar1, "
    "Produto.Substribsaidar2, Produto.Percbasesubstribsaidar2, Produto.Percicmssubstribsaidar2, "
    "Produto.Substribsaidar3, Produto.Percbasesubstribsaidar3, Produto.Percicmssubstribsaidar3, "
    "Produto.Descontomaximo, Produto.Lucroprevisto, Produto.Redutor, Produto.Tipomedicamento, "
    "Produto.Descpercpadrao, Produto.Itemportariaforauf, Produto.Data_ult_reajuste, "
    "Produto.Preco_anterior, Produto.Observacao, Produto.Codvolume, Produto.Fracionado, "
    "Produto.Codgeneroitem, Produto.Custooperc, Produto.Perc_iva, Produto.Valoripi, "
    "Produto.Tipoentrega, Produto.Liminiloteentrega, Produto.Limfimloteentrega, "
    "Produto.Consideracomissao, Produto.Multiplo, Produto.Unidademultiplo, "
    "Produto.Substribsaidar4, Produto.Percbasesubstribsaidar4, Produto.Percicmssubstribsaidar4, "
    "Produto.Tipolista, Produto.Codprodproducao, Produto.Farmaciapopular, Produto.Cfopdentrouf, "
    "Produto.Cfopforauf, Produto.Codprodpai, Produto.Codfamilia, Produto.Codtipoproduto, "
    "Produto.Testedogerabanco, Produto.Passapelolaudo, integecf.acao From Produto inner join "
    "integecf on ( integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and "
    "integecf.tabela = \"PRODUTO\" and integecf.chave0 = produto.codprod) Order by "
    "integecf.dataatual,integecf.horaatual desc",
    "PRODUTO"};

}  // namespace records
