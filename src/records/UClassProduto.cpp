// Product records: registration, tax, price and purchase data of one product.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef produtoFields[] = {
    {"Codprod", ReadRule::Text},
    {"Ativo", ReadRule::Text},
    {"Referencia", ReadRule::Text},
    {"Reffabricante", ReadRule::Text},
    {"Descricao", ReadRule::Text},
    {"Descricao2", ReadRule::Text},
    {"Descricao3", ReadRule::Text},
    {"Codgrupo", ReadRule::Text},
    {"Codsubgrupo", ReadRule::Text},
    {"Tipoprod", ReadRule::Text},
    {"Estminimo", ReadRule::Real},
    {"Diasestminimo", ReadRule::Integer},
    {"Estmaximo", ReadRule::Real},
    {"Diasestmaximo", ReadRule::Integer},
    {"Codclasfis", ReadRule::Text},
    {"Aliqipi", ReadRule::Real},
    {"Aliqiss", ReadRule::Real},
    {"Aliqicmsreg00", ReadRule::Real},
    {"Baseicmsreg00", ReadRule::Real},
    {"Codtribut00", ReadRule::Text},
    {"Mensagem00", ReadRule::Text},
    {"Aliqicmsreg01", ReadRule::Real},
    {"Baseicmsreg01", ReadRule::Real},
    {"Codtribut01", ReadRule::Text},
    {"Mensagem01", ReadRule::Text},
    {"Aliqicmsreg02", ReadRule::Real},
    {"Baseicmsreg02", ReadRule::Real},
    {"Codtribut02", ReadRule::Text},
    {"Mensagem02", ReadRule::Text},
    {"Aliqicmsreg03", ReadRule::Real},
    {"Baseicmsreg03", ReadRule::Real},
    {"Codtribut03", ReadRule::Text},
    {"Mensagem03", ReadRule::Text},
    {"Substrib", ReadRule::Text},
    {"Lucrosubstrib", ReadRule::Real},
    {"Comissao", ReadRule::Real},
    {"Embalagem", ReadRule::Text},
    {"Codlocal", ReadRule::Text},
    {"Codfabric", ReadRule::Text},
    {"Peso", ReadRule::Real},
    {"Unidadeent", ReadRule::Text},
    {"Unidadesaida", ReadRule::Text},
    {"Fatorconversao", ReadRule::Real},
    {"Multdivide", ReadRule::Text},
    {"Pr_ult_ent1", ReadRule::Real},
    {"Data_ult_ent1", ReadRule::DateMinSec},
    {"Quant_ult_ent1", ReadRule::Real},
    {"Fornec_ult_ent1", ReadRule::Text},
    {"Pr_ult_ent2", ReadRule::Real},
    {"Data_ult_ent2", ReadRule::DateMinSec},
    {"Quant_ult_ent2", ReadRule::Real},
    {"Fornec_ult_ent2", ReadRule::Text},
    {"Pr_ult_ent3", ReadRule::Real},
    {"Data_ult_ent3", ReadRule::DateMinSec},
    {"Quant_ult_ent3", ReadRule::Real},
    {"Fornec_ult_ent3", ReadRule::Text},
    {"Dvv", ReadRule::Real},
    {"Lucro", ReadRule::Real},
    {"Sugestao", ReadRule::Real},
    {"Preco", ReadRule::Real},
    {"Prodbloqueado", ReadRule::Text},
    {"Campolivre1", ReadRule::Text},
    {"Campolivre2", ReadRule::Text},
    {"Campolivre3", ReadRule::Text},
    {"Campolivre4", ReadRule::Text},
    {"Principalfornec", ReadRule::Text},
    {"Nota_ult_ent1", ReadRule::Text},
    {"Nota_ult_ent2", ReadRule::Text},
    {"Nota_ult_ent3", ReadRule::Text},
    {"Controleserie", ReadRule::Text},
    {"Codprodbaixa", ReadRule::Text},
    {"Fatorconvbaixa", ReadRule::Real},
    {"Multdivbaixa", ReadRule::Text},
    {"Codfrete", ReadRule::Text},
    {"Dt_cadastro", ReadRule::DateMinSec},
    {"Descricaopreco", ReadRule::Text},
    {"Preco2", ReadRule::Real},
    {"Descricaopreco2", ReadRule::Text},
    {"Preco3", ReadRule::Real},
    {"Descricaopreco3", ReadRule::Text},
    {"Lucro2", ReadRule::Real},
    {"Lucro3", ReadRule::Real},
    {"Itemportaria790", ReadRule::Text},
    {"Enviado", ReadRule::Text},
    {"Precodolar", ReadRule::Real},
    {"Data_ult_alteracao", ReadRule::DateMinSec},
    {"Percperda", ReadRule::Real},
    {"Precopromo", ReadRule::Real},
    {"Datainipromo", ReadRule::DateMinSec},
    {"Datafimpromo", ReadRule::DateMinSec},
    {"Substribsaida", ReadRule::Text},
    {"Percbasesubstribsaida", ReadRule::Real},
    {"Percicmssubstribsaida", ReadRule::Real},
    {"Temsubitens", ReadRule::Text},
    {"Codsegmentosubtribsaida", ReadRule::Text},
    {"Aliqicmsdiversos", ReadRule::Real},
    {"Baseicmsdiversos", ReadRule::Real},
    {"Codtributdiversos", ReadRule::Text},
    {"Mensagemdiversos", ReadRule::Text},
    {"Tipodiversos", ReadRule::Text},
    {"Contacxa", ReadRule::Text},
    {"Percicmmargemlucro", ReadRule::Real},
    {"Aliqinternaicmlucro", ReadRule::Real},
    {"Segmentoicmlucro", ReadRule::Text},
    {"Segmentoicmdiversos", ReadRule::Text},
    {"Aliqicmsdiversos2", ReadRule::Real},
    {"Baseicmsdiversos2", ReadRule::Real},
    {"Codtributdiversos2", ReadRule::Text},
    {"Mensagemdiversos2", ReadRule::Text},
    {"Controlelote", ReadRule::Text},
    {"Grade", ReadRule::Integer},
    {"Aceitaprecozero", ReadRule::Text},
    {"Vlrcobraroper", ReadRule::Real},
    {"Comissaovlr", ReadRule::Real},
    {"Garantia", ReadRule::Integer},
    {"Aliqicmspdv", ReadRule::Real},
    {"Ipiantigo", ReadRule::Real},
    {"Custodolar", ReadRule::Real},
    {"Lucro4", ReadRule::Real},
    {"Descricaopreco4", ReadRule::Text},
    {"Preco4", ReadRule::Real},
    {"Prodbalanca", ReadRule::Text},
    {"Substribsaidar1", ReadRule::Text},
    {"Percbasesubstribsaidar1", ReadRule::Real},
    {"Percicmssubstribsaidar1", ReadRule::Real},
    {"Substribsaidar2", ReadRule::Text},
    {"Percbasesubstribsaidar2", ReadRule::Real},
    {"Percicmssubstribsaidar2", ReadRule::Real},
    {"Substribsaidar3", ReadRule::Text},
    {"Percbasesubstribsaidar3", ReadRule::Real},
    {"Percicmssubstribsaidar3", ReadRule::Real},
    {"Descontomaximo", ReadRule::Real},
    {"Lucroprevisto", ReadRule::Real},
    {"Redutor", ReadRule::Real},
    {"Tipomedicamento", ReadRule::Integer},
    {"Descpercpadrao", ReadRule::Real},
    {"Itemportariaforauf", ReadRule::Text},
    {"Data_ult_reajuste", ReadRule::DateMinSec},
    {"Preco_anterior", ReadRule::Real},
    {"Observacao", ReadRule::Text},
    {"Codvolume", ReadRule::Text},
    {"Fracionado", ReadRule::Text},
    {"Codgeneroitem", ReadRule::Text},
    {"Custooperc", ReadRule::Real},
    {"Perc_iva", ReadRule::Real},
    {"Valoripi", ReadRule::Real},
    {"Tipoentrega", ReadRule::Text},
    {"Liminiloteentrega", ReadRule::Real},
    {"Limfimloteentrega", ReadRule::Real},
    {"Consideracomissao", ReadRule::Text},
    {"Multiplo", ReadRule::Real},
    {"Unidademultiplo", ReadRule::Text},
    {"Substribsaidar4", ReadRule::Text},
    {"Percbasesubstribsaidar4", ReadRule::Real},
    {"Percicmssubstribsaidar4", ReadRule::Real},
    {"Tipolista", ReadRule::Text},
    {"Codprodproducao", ReadRule::Text},
    {"Farmaciapopular", ReadRule::Text},
    {"Cfopdentrouf", ReadRule::Text},
    {"Cfopforauf", ReadRule::Text},
    {"Codprodpai", ReadRule::Text},
    {"Codfamilia", ReadRule::Text},
    {"Codtipoproduto", ReadRule::Text},
    {"Testedogerabanco", ReadRule::Text},
    {"Passapelolaudo", ReadRule::Text},
    {"Acao", ReadRule::Text},
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
