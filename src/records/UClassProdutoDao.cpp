#include "records/UClassProdutoDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
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
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TProdutoDao::TProdutoDao(db::Connection& connection) : TDao(connection, TRegistroProduto, sql, queueTable) {}

}  // namespace records
