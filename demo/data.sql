-- Sample data of the demo database, loaded after demo/schema.sql.
-- This file is UTF-8; the loader connects with character set UTF8 so that the
-- engine stores the accented texts as WIN1252.
--
-- Company "1" with terminals "001" and "002"; company "2" has terminal "001".
-- For every table, terminal "001" of company "1" has several pending queue
-- rows, among them two rows for one key, a row whose key matches no source row
-- and a row already marked "X"; rows of the other terminal, the other company,
-- other tables and a lower-case table name must never show up in its imports.
-- Source rows mix a fully filled row with sparse rows (NULL texts, numbers and
-- dates), dates with and without a time of day, accented texts, XML-special
-- characters and multi-line texts.

SET SQL DIALECT 1;

-- Stock: a stored quantity, a NULL quantity, one product in two grades, and
-- the same product in another company.
INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque)
  VALUES ('1', '7891000100103', 'UN', 42.5);
INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque)
  VALUES ('1', '7891000200209', 'UN', NULL);
INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque)
  VALUES ('1', '7891000300305', 'P', 12.25);
INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque)
  VALUES ('1', '7891000300305', 'G', 0);
INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque)
  VALUES ('2', '7891000100103', 'UN', 7);

-- Operators. Queue of company 1, terminal 001, inserted out of order: the
-- import returns 27 Feb (marked "X"), 28 Feb 20:00, 1 Mar 17:00, 1 Mar 09:00,
-- then 2 Mar 08:30 (operator 99, deleted: no record) and 2 Mar 08:00.
INSERT INTO Cadoper (
  Codoper, Nome, Senha, Sangria, Cancelaitem, Cancelavenda, Leiturax,
  Leituraz, Leituramemoria, Aberturagaveta, Cancelaatual, Usuario,
  Historicocliente, Liquidadocurec)
VALUES (
  '1', 'Maria da Conceição', '1234', 'S', 'S', 'S', 'S', 'N', 'N', 'S', 'S',
  'MARIA', 1, 'S');

INSERT INTO Cadoper (
  Codoper, Nome, Senha, Sangria, Cancelaitem, Cancelavenda, Leiturax,
  Leituraz, Leituramemoria, Aberturagaveta, Cancelaatual, Usuario,
  Historicocliente, Liquidadocurec)
VALUES (
  '2', 'José Antônio Araújo', 'a&b<c>"d''', 'N', 'S', 'N', 'S', 'S', 'S', 'N',
  'N', 'JOSE', 0, 'N');

INSERT INTO Cadoper (Codoper, Nome)
  VALUES ('3', 'Operador sem permissões');
INSERT INTO Cadoper (Codoper, Nome, Senha, Historicocliente)
  VALUES ('4', 'Caixa da loja 2', '4444', 2);
INSERT INTO Cadoper (Codoper, Nome, Senha)
  VALUES ('5', 'Operador da empresa 2', '5555');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADOPER', '2', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADOPER', '1', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADOPER', '3', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADOPER', '1', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADOPER', '99', 'E', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADOPER', '2', 'I', '2023-02-27', '10:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'CADOPER', '4', 'I', '2023-03-01', '10:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'CADOPER', '5', 'I', '2023-03-01', '10:00:00', NULL);
-- Lower-case table name: not an operator row.
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'cadoper', '3', 'A', '2023-03-01', '10:00:00', NULL);

-- Products. Café is filled in every column (Diasestminimo 2.5 and
-- Diasestmaximo 3.5 round to 2 and 4); arroz is mostly NULL; pão has dates
-- without time and a multi-line observation.
INSERT INTO Produto (
  Codprod, Ativo, Referencia, Reffabricante, Descricao, Descricao2,
  Descricao3, Codgrupo, Codsubgrupo, Tipoprod, Estminimo, Diasestminimo,
  Estmaximo, Diasestmaximo, Codclasfis, Aliqipi, Aliqiss, Aliqicmsreg00,
  Baseicmsreg00, Codtribut00, Mensagem00, Aliqicmsreg01, Baseicmsreg01,
  Codtribut01, Mensagem01, Aliqicmsreg02, Baseicmsreg02, Codtribut02,
  Mensagem02, Aliqicmsreg03, Baseicmsreg03, Codtribut03, Mensagem03, Substrib,
  Lucrosubstrib, Comissao, Embalagem, Codlocal, Codfabric, Peso, Unidadeent,
  Unidadesaida, Fatorconversao, Multdivide, Pr_ult_ent1, Data_ult_ent1,
  Quant_ult_ent1, Fornec_ult_ent1, Pr_ult_ent2, Data_ult_ent2, Quant_ult_ent2,
  Fornec_ult_ent2, Pr_ult_ent3, Data_ult_ent3, Quant_ult_ent3,
  Fornec_ult_ent3, Dvv, Lucro, Sugestao, Preco, Prodbloqueado, Campolivre1,
  Campolivre2, Campolivre3, Campolivre4, Principalfornec, Nota_ult_ent1,
  Nota_ult_ent2, Nota_ult_ent3, Controleserie, Codprodbaixa, Fatorconvbaixa,
  Multdivbaixa, Codfrete, Dt_cadastro, Descricaopreco, Preco2,
  Descricaopreco2, Preco3, Descricaopreco3, Lucro2, Lucro3, Itemportaria790,
  Enviado, Precodolar, Data_ult_alteracao, Percperda, Precopromo,
  Datainipromo, Datafimpromo, Substribsaida, Percbasesubstribsaida,
  Percicmssubstribsaida, Temsubitens, Codsegmentosubtribsaida,
  Aliqicmsdiversos, Baseicmsdiversos, Codtributdiversos, Mensagemdiversos,
  Tipodiversos, Contacxa, Percicmmargemlucro, Aliqinternaicmlucro,
  Segmentoicmlucro, Segmentoicmdiversos, Aliqicmsdiversos2, Baseicmsdiversos2,
  Codtributdiversos2, Mensagemdiversos2, Controlelote, Grade, Aceitaprecozero,
  Vlrcobraroper, Comissaovlr, Garantia, Aliqicmspdv, Ipiantigo, Custodolar,
  Lucro4, Descricaopreco4, Preco4, Prodbalanca, Substribsaidar1,
  Percbasesubstribsaidar1, Percicmssubstribsaidar1, Substribsaidar2,
  Percbasesubstribsaidar2, Percicmssubstribsaidar2, Substribsaidar3,
  Percbasesubstribsaidar3, Percicmssubstribsaidar3, Descontomaximo,
  Lucroprevisto, Redutor, Tipomedicamento, Descpercpadrao, Itemportariaforauf,
  Data_ult_reajuste, Preco_anterior, Observacao, Codvolume, Fracionado,
  Codgeneroitem, Custooperc, Perc_iva, Valoripi, Tipoentrega,
  Liminiloteentrega, Limfimloteentrega, Consideracomissao, Multiplo,
  Unidademultiplo, Substribsaidar4, Percbasesubstribsaidar4,
  Percicmssubstribsaidar4, Tipolista, Codprodproducao, Farmaciapopular,
  Cfopdentrouf, Cfopforauf, Codprodpai, Codfamilia, Codtipoproduto,
  Testedogerabanco, Passapelolaudo)
VALUES (
  '7891000100103', 'S', 'CAF-500', 'TR500', 'Café Torrado e Moído 500g',
  'Café tradicional', 'Pacote a vácuo', '08', '09', 'PA', 10.0, 2.5, 250.0,
  3.5, '15', 5.0, 18.0, 7.2, 1.5, '00', 'ICMS recolhido por substituição',
  12.5, 3.75, '10', 'ICMS recolhido por substituição', 1.5, 25.0, '20',
  'ICMS recolhido por substituição', 3.75, 18.0, '60',
  'ICMS recolhido por substituição', 'N', 0.5, 12.5, 'EMB6', '08', '09', 1.5,
  'CX', 'UN', 12.5, 'S', 18.0, '2024-03-05 14:30:15', 1.5, 'FOR7', 0.5,
  '2024-02-01', 3.75, 'FOR1', 7.2, '2023-12-20 08:00:00', 25.0, 'FOR5', 12.5,
  3.75, 18.0, 18.9, 'N', 'Livre 1', 'Livre 2', 'Livre 3', 'Livre 4', 'PRI5',
  'NOT6', 'NOT7', 'NOT8', 'N', '11', 3.75, 'N', '14', '2019-07-15 10:20:30',
  'Varejo', 17.5, 'Atacado', 16.99, 'Cartão fidelidade', 7.2, 1.5, 'S', 'S',
  12.5, '2024-03-05 14:30:15', 18.0, 14.9, '2024-03-01',
  '2024-03-31 23:59:59', 'N', 12.5, 3.75, 'N', '05', 1.5, 25.0, '90',
  'ICMS recolhido por substituição', 'N', '11', 7.2, 1.5, '14', '15', 12.5,
  3.75, '41', 'ICMS recolhido por substituição', 'S', 0, 'N', 12.5, 3.75, 90,
  7.2, 1.5, 25.0, 0.5, 'Funcionário', 15.0, 'S', 'S', 1.5, 25.0, 'S', 12.5,
  3.75, 'S', 7.2, 1.5, 25.0, 0.5, 12.5, 0, 18.0, 'S', '2024-01-02 07:45:00',
  25.0,
  'Moagem média.' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Manter em local seco & arejado.',
  '21', 'N', '23', 7.2, 1.5, 25.0, 'S', 12.5, 3.75, 'S', 7.2, 'UN', 'S', 0.5,
  12.5, 'S', '07', 'S', '5102', '6102', '11', '12', '13', 'S', 'S');

INSERT INTO Produto (Codprod, Ativo, Descricao, Preco)
  VALUES ('7891000200209', 'S', 'Arroz & Feijão <Combo>', 29.9);
INSERT INTO Produto (Codprod, Ativo, Descricao, Unidadesaida, Diasestminimo, Diasestmaximo, Preco, Comissao, Aliqipi, Dt_cadastro, Data_ult_alteracao, Datainipromo, Observacao, Grade, Garantia)
  VALUES ('7891000300305', 'N', 'Pão Francês kg', 'KG', 3.5, 2.5, 12.49, 1.5, 0, '2021-11-03', '2024-02-29', NULL, 'Produzido na loja.
Venda por peso;
validade de 1 dia.', 1, NULL);
INSERT INTO Produto (Codprod, Ativo, Descricao, Preco)
  VALUES ('0000000000017', 'S', 'Produto da empresa 2', 1.0);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PRODUTO', '7891000200209', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PRODUTO', '7891000100103', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PRODUTO', '7891000300305', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PRODUTO', '7891000100103', 'A', '2023-03-03', '10:15:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PRODUTO', '7890000000000', 'E', '2023-03-03', '10:16:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PRODUTO', '7891000300305', 'A', '2023-02-20', '12:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'PRODUTO', '7891000200209', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'PRODUTO', '0000000000017', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'PRODUTO', '7891000100103', 'I', '2023-03-01', '09:00:00', NULL);

-- Clients. Teste and Ats hold values that must never reach a terminal.
INSERT INTO Cliente (
  Codcliente, Nome, Nomefantasia, Endereco, Bairro, Codcidade, Estado, Cep,
  Cgccpf, Inscest, Pessoa_fj, Contato, Fone, Fax, Codclascli, Codsegmento,
  Enderecocob, Bairrocob, Codcidadecob, Estadocob, Cepcob, Ctctbred,
  Nomesocio, Codtranspt, Codvendend1, Enderecoent, Bairroent, Codcidadeent,
  Estadoent, Cepent, Dt_cadastro, Dt_primvenda, Dt_ultvenda, Codprazo, Email,
  Campolivre1, Campolivre2, Campolivre3, Campolivre4, Homepage, Clibloqueado,
  Ativo, Dt_valcad, Limitecredito, Dt_nascimento, Observacao, Codfornec,
  Data_ult_alteracao, Campolivre5, Campolivre6, Campolivre7, Campolivre8,
  Campolivre9, Codrota, Tipocliente, Campolivre10, Celular, Codopcel,
  Maladiretaeletr, Prefixcelular, Prazopgtoliberado, Formapgtoliberado,
  Codtvenda, Retempisconfis, Codrepresentante, Tipovenda, Teste, Ats, Seqrota,
  Carenciadebitopdv, Gruposproduto, Codficha, Outrasdespesasnf,
  Optantesimples, Protestarcliente, Tipocontrato, Diavenccontrato,
  Databasecontrato, Qtdsalariominimo, Valorcontrato, Codempresacli,
  Datacancelacontrato, Motivocancelacontrato, Exigenf, Senhainstalacao,
  Codmotivocanccontrato, Inscmunicipal, Prazoprotesto, Retemiss,
  Contribuintest, Codclienteecom, Codpais, Placa, Km)
VALUES (
  '1001', 'João da Silva Conceição', 'Mercearia do João',
  'Rua das Palmeiras, 13', 'Centro', '06', 'SP', '01310-100',
  '123.456.789-09', '110.042.490.114', 'F', '12', '(11) 3333-4412',
  '(11) 3333-4413', '15', '16', 'Rua das Palmeiras, 26', 'Centro', '19', 'SP',
  '01310-100', '22', 'Descrição Nomesocio', '24', '25',
  'Rua das Palmeiras, 35', 'Centro', '28', 'MG', '01310-100',
  '2015-06-01 09:15:42', '2015-06-02', '2024-03-05 14:30:15', '04',
  'joao@exemplo.com.br', 'Livre 1', 'Livre 2', 'Livre 3', 'Livre 4',
  'https://www.exemplo.com.br', 'N', 'S', '2025-06-01', 1500.0, '1980-03-05',
  'Cliente desde 2015.
Entrega às terças e sextas.', '17',
  '2024-03-05 18:01:02', 'Livre 5', 'Livre 6', 'Livre 7', 'Livre 8',
  'Livre 9', '24', 'TIP4', 'Livre 10', '(11) 3333-4456', 3, 'S', 'PRE9',
  'PRA0', 'FOR1', '03', 'N', '05', 1, 'não enviar', 'não enviar', 12, 5,
  'GRU0', 321, 2.5, 'S', 'S', 2, 10, '2020-01-01', 1.5, 99.9, '21',
  '2023-12-31 23:59:00', 'MOT2', 1, 'SEN4', '26', '110.042.490.114', 30, 'S',
  0, -7, '02', 'PLA2', 'KM3');

INSERT INTO Cliente (Codcliente, Nome, Pessoa_fj, Estado, Ativo, Limitecredito, Dt_cadastro, Dt_nascimento)
  VALUES ('1002', 'Padaria São José Ltda', 'J', 'RJ', 'S', NULL, '2022-08-09', NULL);
INSERT INTO Cliente (Codcliente, Nome, Pessoa_fj, Ativo, Tipovenda, Dt_cadastro, Limitecredito)
  VALUES ('1003', 'Ana D''Ávila', 'F', 'N', 2, '2023-01-31 23:59:59', 0);
INSERT INTO Cliente (Codcliente, Nome, Ativo)
  VALUES ('2001', 'Cliente da empresa 2', 'S');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CLIENTE', '1002', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CLIENTE', '1001', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CLIENTE', '1003', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CLIENTE', '1001', 'A', '2023-03-02', '11:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CLIENTE', '9999', 'E', '2023-03-02', '11:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CLIENTE', '1003', 'I', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'CLIENTE', '1002', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'CLIENTE', '2001', 'I', '2023-03-01', '09:00:00', NULL);

-- Users. JOSE belongs to company 2 but is queued for company 1, and is still
-- delivered there. Usapalm holds a value that must never reach a terminal.
INSERT INTO Cadusua (
  Usuario, Senha, Nome, Lotacao, Cargo, Re, Ramal, Departamento, Impressora,
  Alfa, Equipamento, Podemexerdata, Codvendedor, Codempresa, Codcomprador,
  Autorizaoc, Autorizasolic, Autorizadireta, Alteraprecoorc, Percdescmax,
  Percdescmaxcart, Prazomediomax, Gerente, Tipospedidocancela,
  Codopercautorizados, Usuariosdescliq, Liberatroca, Autorizalimcli, Usapalm,
  Percmaxdescliq, Podebaixarcheque, Podeestornarcheque,
  Podealterarnumerodovoid, Tempoocioso, Precosaalterar, Codperfilce,
  Tpvendaautorizados, Ativo, Acessasomatoria, Alteraprecolaudoassis,
  Alteradescprodorc, Digital1, Digital2, Digital3, Imprimevendaaprazo,
  Tpvendaautorizadosorc, Aprovaconferenciaoc, Naoalteraouexclui,
  Exibetelaboasvindas)
VALUES (
  'MARIA', 's3nh@', 'Maria da Conceição', 'LOT3', 'Gerente de loja', 'RE5',
  'RAM6', 'Operações', 'IMP8', 'ALF9', 'EQU0', 'S', '13', '1', '15', 'N', 'S',
  'S', 'N', 10.0, 5.5, 30, 'S', 'TIP3', '25', 'USU5', 'S', 'N', 'S', 2.25,
  'N', 'S', 'S', 600, 'PRE4', '06', 'TPV6', 'S', 'S', 'N', 'S',
  'AAECAwQFBgcICQ==', NULL, '', 'S', 'TPV5', 1, 'S', 'N');

INSERT INTO Cadusua (
  Usuario, Senha, Nome, Lotacao, Cargo, Re, Ramal, Departamento, Impressora,
  Alfa, Equipamento, Podemexerdata, Codvendedor, Codempresa, Codcomprador,
  Autorizaoc, Autorizasolic, Autorizadireta, Alteraprecoorc, Percdescmax,
  Percdescmaxcart, Prazomediomax, Gerente, Tipospedidocancela,
  Codopercautorizados, Usuariosdescliq, Liberatroca, Autorizalimcli, Usapalm,
  Percmaxdescliq, Podebaixarcheque, Podeestornarcheque,
  Podealterarnumerodovoid, Tempoocioso, Precosaalterar, Codperfilce,
  Tpvendaautorizados, Ativo, Acessasomatoria, Alteraprecolaudoassis,
  Alteradescprodorc, Digital1, Digital2, Digital3, Imprimevendaaprazo,
  Tpvendaautorizadosorc, Aprovaconferenciaoc, Naoalteraouexclui,
  Exibetelaboasvindas)
VALUES (
  'JOSE', 'jose', 'José Antônio Araújo', 'LOT6', 'CAR7', 'RE8', 'RAM9',
  'DEP0', 'IMP1', 'ALF2', 'EQU3', 'S', '16', '2', '18', 'N', 'S', 'S', 'N',
  3.0, 18.0, 15, 'S', 'TIP6', '28', 'USU8', 'S', 'N', 'N', 1.5, 'N', 'S', 'S',
  0, 'PRE7', '09', 'TPV9', 'S', 'S', 'N', 'S', 'DIG4', 'DIG5', 'DIG6', 'S',
  'TPV8', 0, 'S', 'N');

INSERT INTO Cadusua (Usuario, Nome)
  VALUES ('ADMIN', 'Administrador');
INSERT INTO Cadusua (Usuario, Nome, Codempresa)
  VALUES ('PEDRO', 'Pedro da loja 2', '1');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADUSUA', 'JOSE', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADUSUA', 'MARIA', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADUSUA', 'ADMIN', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADUSUA', 'MARIA', 'A', '2023-03-02', '09:00:00', NULL);
-- Key of an operator, not of a user: joins nothing here.
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADUSUA', '1', 'I', '2023-03-02', '10:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CADUSUA', 'ADMIN', 'A', '2023-02-10', '10:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'CADUSUA', 'PEDRO', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'CADUSUA', 'JOSE', 'I', '2023-03-01', '09:00:00', NULL);

-- Sellers, delivered in order of Codvendedor ("001", "003", "010") whatever
-- the queue order. Codfid holds a value that must never reach a terminal.
INSERT INTO Vendend (
  Codvendedor, Nome, Endereco, Bairro, Codcidade, Estado, Cep, Telefone,
  Comissao, Email, Codpraca, Ativo, Codrota, Codrota2, Codrota3, Codrota4,
  Codrota5, Codrota6, Codrota7, Codrota8, Codrota9, Codrota10, Tipovendedor,
  Dataultimavisita, Cgccpf, Inscest, Rg, Mudaprecopdv, Ultimavisitamarcada,
  Horaini, Horafim, Senhatransf, Codsupervisor, Codempresa, Codfornec,
  Precovendedor, Codbarrasvend, Senhafarmpop, Codfid)
VALUES (
  '003', 'Luís Gonçalves', 'Rua das Palmeiras, 12', 'Centro', '05', 'SP',
  '01310-100', '(11) 3333-4407', 2.5, 'contato@exemplo.com.br', '11', 'S',
  '13', '14', '15', '16', '17', '18', '19', '20', '21', '22', 'I',
  '2024-03-05 14:30:15', '12.345.678/0001-90', '110.042.490.114', 'RG6', 'N',
  '2024-03-12', '08:00', '17:30', 't1', '03', '1', '05', 1, '07', 'f1',
  'não enviar');

INSERT INTO Vendend (Codvendedor, Nome, Ativo, Comissao, Codempresa, Dataultimavisita, Horaini)
  VALUES ('001', 'Vendedora Inês', 'S', 1.0, '1', NULL, '09:00');
INSERT INTO Vendend (Codvendedor, Nome, Ativo, Comissao, Codempresa, Precovendedor, Tipovendedor)
  VALUES ('010', 'Vendedor externo', 'N', NULL, '2', NULL, 'E');
INSERT INTO Vendend (Codvendedor, Nome, Ativo, Codempresa)
  VALUES ('002', 'Vendedor da loja 2', 'S', '1');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'VENDEND', '010', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'VENDEND', '003', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'VENDEND', '001', 'A', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'VENDEND', '003', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'VENDEND', '000', 'E', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'VENDEND', '001', 'I', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'VENDEND', '002', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'VENDEND', '010', 'A', '2023-03-01', '09:00:00', NULL);

-- Operation types. Comissao is a text column.
INSERT INTO Cdoperc (
  Codoper, Nop, Descricao, Percentual, Comissao, Mapavenda, Gerarec, Icms,
  Ipi, Baseicm, Atualest, Geractb, Geralivros, Tpoperacao, Gerapagar,
  Baixaorc, Devvenda, Devcmp, Intban, Intcxa, Intpredata, Emitecheque,
  Codbanco, Codagen, Conta, Infcontacxa, Entconsig, Devconsig, Saidconsig,
  Devconsignaovend, Geralivroipi, Infobslivrofiscal, Faturamentoconsignacao,
  Fatmercconsig, Gravacusto, Ipisemprebaseicm, Percpiscofins, Observacao,
  Ipiincidefrete, Imprimenf, Outrasdespesastributadas, Freteincideicms,
  Tipovinculo, Opcaovinculo, Codvinculo, Somenteimportacao, Mapacompras,
  Ipibasest, Nop2, Ativo, Isencaoiss, Substribmanual, Solicitainssretido,
  Nfeajuste, Icmsbasereduzida, Ipinfnaodestaca, Stnfnaodestaca,
  Transfentrefiliais, Abatefinanceirodevolucaonf, Naogerapiscofins,
  Descontoreduzbaseipi)
VALUES (
  '5102', '5102', 'Venda de mercadoria adquirida', 100.0, '1,50', 'S', 'N',
  'S', 'S', 'N', 'S', 'S', 'N', 'S', 'S', 'N', 'S', 'S', 'N', 'S', 'S', 'N',
  '23', '24', '25', 'S', 'S', 'N', 'S', 'S', 'N', 'S', 'S', 'N', 'S', 'S',
  9.25, 'Operação padrão do PDV.
Não altera custo.', 'S', 'N', 'S', 'S', 'NF',
  'A', '15', 'N', 'S', 'S', '6102', 'S', 'S', 'N', 'S', 'S', 'N', 'S', 'S', 0,
  'S', 0, 'N');

INSERT INTO Cdoperc (Codoper, Descricao, Nop, Comissao, Percentual, Devvenda, Ativo, Transfentrefiliais)
  VALUES ('1202', 'Devolução de venda', '1202', NULL, NULL, 'S', 'S', NULL);
INSERT INTO Cdoperc (Codoper, Descricao, Nop, Comissao, Percentual, Ativo, Naogerapiscofins)
  VALUES ('5405', 'Venda com substituição tributária', '5405', '0', 100.0, 'S', 1);
INSERT INTO Cdoperc (Codoper, Descricao, Nop, Transfentrefiliais, Ativo)
  VALUES ('5152', 'Transferência entre filiais', '5152', 1, 'S');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CDOPERC', '1202', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CDOPERC', '5102', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CDOPERC', '5405', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CDOPERC', '5102', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CDOPERC', '9999', 'E', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'CDOPERC', '5405', 'I', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'CDOPERC', '5152', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'CDOPERC', '5152', 'I', '2023-03-01', '09:00:00', NULL);

-- Suppliers.
INSERT INTO Fornece (
  Codfornec, Nome, Nomefantasia, Bairro, Cep, Campolivre1, Campolivre2,
  Cgccpf, Codcidade, Codtipo, Contacx, Contato, Ctctbred, Endereco, Estado,
  Fax, Fone, Inscest, Observacao, Pessoa_fj, Homepage, Email, Ativo,
  Codcliente, Celular, Inscmunicipal, Tipofornece, Comissao, Complemento,
  Numero)
VALUES (
  '501', 'Distribuidora Café Bom Ltda', 'Café Bom', 'Centro', '01310-100',
  'Livre 1', 'Livre 2', '12.345.678/0001-90', '09', '10', '11', '12', '13',
  'Rua das Palmeiras, 23', 'SP', '(11) 3333-4415', '(11) 3333-4416',
  '110.042.490.114', 'Pedido mínimo R$ 500,00.
Entrega em até 48 h.', 'J',
  'https://www.exemplo.com.br', 'contato@exemplo.com.br', 'S', '1002',
  '(11) 3333-4424', '110.042.490.114', 'D', 3.5, 'Galpão 2', '123-A');

INSERT INTO Fornece (Codfornec, Nome, Pessoa_fj, Comissao, Ativo)
  VALUES ('502', 'Moinho Nordeste S.A.', 'J', NULL, 'S');
INSERT INTO Fornece (Codfornec, Nome, Comissao, Ativo)
  VALUES ('503', 'Açougue & Cia', 0.75, 'N');
INSERT INTO Fornece (Codfornec, Nome, Ativo)
  VALUES ('504', 'Fornecedor da empresa 2', 'S');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'FORNECE', '502', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'FORNECE', '501', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'FORNECE', '503', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'FORNECE', '501', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'FORNECE', '999', 'E', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'FORNECE', '503', 'I', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'FORNECE', '504', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'FORNECE', '504', 'I', '2023-03-01', '09:00:00', NULL);

-- Order headers, keyed by company, type (CHAR(2): "V" is stored "V ") and
-- code. Order 000125 exists only in company 2, so the queue row of company 1
-- naming ("1", "V", "000125") joins nothing. The five columns outside the
-- delivered list hold values that must never reach a terminal.
INSERT INTO Pedidoc (
  Codempresa, Tipopedido, Codpedido, Codcliente, Datapedido, Codprazo,
  Faturado, Codvendedor, Comissao, Descontoperc, Codtranspt, Codoper,
  Pedidocliente, Turno, Datafatura, Codorc, Frete, Descontovlr, Dataentrega,
  Horaentrega, Vlrticket, Vlracrescimo, Codpedidotroca, Codpedidovenda,
  Descontotroca, Codpedidooriginal, Juros, Tipopedidoimportado,
  Codpedidoimportado, Codvendedor2, Comissao2, Outrasdespesas, Seguro,
  Tipofrete, Observacao1, Codrota, Statuspedido, Codpedidodevolucao,
  Tipopedidodevolucao, Totalpedido, Codtvenda, Codempresaorc, Descpermuta,
  Desccredito, Codcliente2, Datapospago, Descperctroca, Descfinanceiro,
  Controle, Usuario, Hora, Tipodocto, Codcontentrega, Observacao2,
  Observacao3, Vezesimpresso, Tipoencerramento, Codigomidia, Numcupom,
  Maquina, Codempresaimportado, Codproj, Transito, Qtdfrete, Codlocal,
  Flagintegracao, Codstatuspedido, Dataprevistaentrega, Dataentregareceita,
  Qtdeimpressao, Occliente, Prioridadeentrega, Espelhodav, Coodavimpfiscal,
  Tipointegracaovda, Codintegracaovda, Observacao, Usuarioliberacao,
  Quemcomprou, Descontoanterior, Acrescimoanterior, Registroemuso, Usadopor,
  Sistemaorigem, Codempresapedido)
VALUES (
  '1', 'V', '000123', '1001', '2010-02-03 14:05:09', '06', 'S', '003', 2.5,
  18.0, '11', '5102', 'PED2', 2, '2010-02-03', '16', 15.0, 0.5,
  '2010-02-05 08:30:00', '08:30', 0.5, 12.5, '23', '24', 7.2, '26', 25.0, 'O',
  'ORC-77', '30', 18.0, 7.2, 1.5, 'N', 'Cliente pediu nota fiscal', '06', 'F',
  '08', 'D', 1234.56, '11', '12', 12.5, 3.75, '15', '2010-03-05', 1.5, 25.0,
  'CON8', 'USU9', '14:05:09', 'TIP1', '23', 'Observação geral',
  'Observação geral', 1, 2, '28', 'NUM8', 'MAQ9', '01', -1, 'S', 12.5, '05',
  'S', '07', '2010-02-04 18:00:00', NULL, 3, 'OCC0', 'S', 'ESP2', 'COO3',
  'não enviar', 'não enviar', 'Entregar na portaria.
Ligar antes.', 'USU7',
  'QUE8', 18.0, 7.2, 'N', 'USA2', 'SIS3', '9');

INSERT INTO Pedidoc (Codempresa, Tipopedido, Codpedido, Codcliente, Datapedido, Totalpedido, Turno, Observacao)
  VALUES ('1', 'V', '000124', '1002', NULL, NULL, NULL, 'Pedido sem data');
INSERT INTO Pedidoc (Codempresa, Tipopedido, Codpedido, Codcliente, Datapedido, Totalpedido, Faturado)
  VALUES ('1', 'OR', '000124', '1003', '2023-01-31 23:59:59', 10.0, 'N');
INSERT INTO Pedidoc (Codempresa, Tipopedido, Codpedido, Codcliente, Datapedido, Totalpedido)
  VALUES ('2', 'V', '000125', '2001', '2023-03-01 12:00:00', 50.0);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOC', '1', 'V', '000124', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOC', '1', 'V', '000123', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOC', '1', 'OR', '000124', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOC', '1', 'V', '000123', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOC', '1', 'V', '000125', 'I', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOC', '1', 'OR', '000124', 'A', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'PEDIDOC', '1', 'V', '000123', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'PEDIDOC', '2', 'V', '000125', 'I', '2023-03-01', '09:00:00', NULL);

-- Order items. Order 000123 holds café twice (sequences 1 and 3, same grade):
-- one queue row for café yields both items. The first two queue rows differ
-- only in chave3, which the join ignores, so each yields the same two items.
INSERT INTO Pedidoi (
  Codempresa, Tipopedido, Codpedido, Codcliente, Codprod, Codgrade, Aliqipi,
  Aliqicm, Aliqiss, Baseicm, Quantidade, Precounit, Descontovlr, Codtribut,
  Unidadesaida, Qtdeunidpadrao, Numpecas, Comprimento, Expessura, Largura,
  Mensagemtrib, Cfop, Precotabela, Totalitem, Totalrateado, Codprodagrupado,
  Tipopreco, Codtvenda, Volume, Peso, Numserie, Fone, Contrato, Numnf,
  Operacao, Comissaoperc, Descremanuf, Autrefidelizacao, Claroteste,
  Qtauxrecporcfop, Tabela, Codpromo, Flagintegracao, Vlricmsst, Vlrbaseicmsst,
  Codcsosn, Cancelado, Sequencia, Datainclusao, Acrescimovlr)
VALUES (
  '1', 'V', '000123', '1001', '7891000100103', 'UN', 0.5, 12.5, 3.75, 18.0,
  2.0, 18.9, 0.5, '00', 'UN', 3.75, 18.0, 7.2, 1.5, 25.0,
  'Tributação normal – ICMS 18%', '5102', 3.75, 37.8, 37.3, '26', 'S', '28',
  12.5, 3.75, 'NUM0', '(11) 3333-4431', 'CON2', 4567, 1, 12.5, 'DES6', 'AUT7',
  'CLA8', 1.5, 'TAB0', 0, 'N', 3.75, 18.0, '16', 'N', 1,
  '2010-02-03 14:05:09', 12.5);

INSERT INTO Pedidoi (Codempresa, Tipopedido, Codpedido, Codcliente, Codprod, Codgrade, Sequencia, Quantidade, Precounit, Totalitem, Numnf, Datainclusao, Cancelado)
  VALUES ('1', 'V', '000123', '1001', '7891000300305', 'P', 2, 0.75, 12.49, 9.37, NULL, NULL, 'N');
INSERT INTO Pedidoi (Codempresa, Tipopedido, Codpedido, Codcliente, Codprod, Codgrade, Sequencia, Quantidade, Precounit, Totalitem, Numnf, Datainclusao, Cancelado)
  VALUES ('1', 'V', '000123', '1001', '7891000100103', 'UN', 3, 1.0, 18.9, 18.9, 4567, '2010-02-03', 'S');
INSERT INTO Pedidoi (Codempresa, Tipopedido, Codpedido, Codcliente, Codprod, Codgrade, Sequencia, Quantidade, Precounit, Totalitem)
  VALUES ('2', 'V', '000125', '2001', '0000000000017', 'UN', 1, 50.0, 1.0, 50.0);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOI', '1', 'V', '000123', '1001', '7891000100103', 'UN', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOI', '1', 'V', '000123', 'outro', '7891000100103', 'UN', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOI', '1', 'V', '000123', '1001', '7891000300305', 'P', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOI', '1', 'V', '000123', '1001', '7891000300305', 'G', 'E', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'PEDIDOI', '1', 'V', '000123', '1001', '7891000300305', 'P', 'A', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'PEDIDOI', '1', 'V', '000123', '1001', '7891000300305', 'P', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'PEDIDOI', '2', 'V', '000125', '2001', '0000000000017', 'UN', 'I', '2023-03-01', '09:00:00', NULL);

-- Receivable documents, keyed by company, client, type and code.
INSERT INTO Docurec (
  Codempresa, Codcliente, Tipodocto, Coddocto, Dt_venda, Dt_emissao,
  Dt_vencimento, Codmoeda, Valorvenda, Valordocto, Valordesc, Valorpago,
  Valordevol, Nossonumero, Numord, Numdocorig, Codbanco, Codvendedor, Codcart,
  Comissao, Contacxa, Emitiuboleta, Sist_manu, Situacao, Observacao, Codoper,
  Ordem, Quantitens, Txantecip, Despadic, Anotacoes, Numdocbco, Tipovinculo,
  Codvinculo, Codplanovinculo, Codformavinculo, Taxaretencao, Codproj,
  Descfinanc, Codcobrador, Txmanutencao)
VALUES (
  '1', '1001', 'DP', '000123/1', '2010-02-03 14:05:09', '2010-02-03',
  '2010-03-10', '08', 1234.56, 617.28, 0.0, 300.0, 0.0, 'NOS3', 'NUM4',
  'NUM5', '17', '18', '19', 25.0, '21', 'S', 'S', 'A', 'Observação geral',
  '26', 'ORD6', 0.5, 12.5, 3.75, '1ª parcela.
Cobrar pelo telefone.', 'NUM1',
  'TI', '04', '05', '06', 3.75, 7, 7.2, '10', 25.0);

INSERT INTO Docurec (Codempresa, Codcliente, Tipodocto, Coddocto, Dt_venda, Dt_vencimento, Valordocto, Codproj)
  VALUES ('1', '1001', 'DP', '000123/2', '2010-02-03 14:05:09', NULL, 617.28, NULL);
INSERT INTO Docurec (Codempresa, Codcliente, Tipodocto, Coddocto, Dt_vencimento, Valordocto, Situacao)
  VALUES ('1', '1002', 'NF', '4567', '2024-02-29 00:00:00', NULL, 'Q');
INSERT INTO Docurec (Codempresa, Codcliente, Tipodocto, Coddocto, Dt_vencimento, Valordocto)
  VALUES ('2', '2001', 'DP', '000125/1', '2023-04-01', 50.0);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'DOCUREC', '1', '1002', 'NF', '4567', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'DOCUREC', '1', '1001', 'DP', '000123/1', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'DOCUREC', '1', '1001', 'DP', '000123/2', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'DOCUREC', '1', '1001', 'DP', '000123/1', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'DOCUREC', '1', '1001', 'DP', '000123/9', 'E', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'DOCUREC', '1', '1002', 'NF', '4567', 'I', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'DOCUREC', '1', '1001', 'DP', '000123/1', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'DOCUREC', '2', '2001', 'DP', '000125/1', 'I', '2023-03-01', '09:00:00', NULL);

-- Receivable movements, keyed by company, document type and code, client,
-- movement type (CHAR(2)) and order number.
INSERT INTO Movirec (
  Codempresa, Tipodocto, Coddocto, Codcliente, Tipomov, Numord, Valormov,
  Valordesc, Jurosmulta, Dt_movimento, Dt_vencimento, Codbancopgto,
  Codformapgto, Contacxa, Datahora, Nomebancopgto, Numdocpgto, Sist_manu,
  Usuario, Codoper, Contapgto, Codagenpgto, Estornado, Codbancoant,
  Codcartant, Codbancoat, Codcartat, Numord2, Ordemliqreceber, Codliqvalor,
  Observacao, Codempresamov, Codliqintegrada, Nossonumero, Agenciaat, Contaat)
VALUES (
  '1', 'DP', '000123/1', '1001', 'L', '1', 300.0, 0.0, 1.25,
  '2010-02-03 14:05:09', '2010-03-10', '12', '13', '14',
  '03/02/2010 14:05:09', 'Banco do Brasil', 'NUM6', 'S', 'USU8', '20', '21',
  '22', 'N', '24', '25', '26', '27', -1, 1, 2, 'Pagamento em espécie', '02',
  3, 'NOS3', 'AGE4', '06');

INSERT INTO Movirec (Codempresa, Tipodocto, Coddocto, Codcliente, Tipomov, Numord, Valormov, Dt_movimento, Dt_vencimento, Numord2, Estornado)
  VALUES ('1', 'DP', '000123/1', '1001', 'J', '2', NULL, NULL, NULL, NULL, 'S');
INSERT INTO Movirec (Codempresa, Tipodocto, Coddocto, Codcliente, Tipomov, Numord, Valormov, Dt_movimento, Dt_vencimento)
  VALUES ('1', 'NF', '4567', '1002', 'L', '1', 100.0, '2024-02-29 23:59:59', '2024-02-29');
INSERT INTO Movirec (Codempresa, Tipodocto, Coddocto, Codcliente, Tipomov, Numord, Valormov)
  VALUES ('2', 'DP', '000125/1', '2001', 'L', '1', 50.0);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'MOVIREC', '1', 'NF', '4567', '1002', 'L', '1', 'A', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'MOVIREC', '1', 'DP', '000123/1', '1001', 'L', '1', 'I', '2023-02-28', '20:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'MOVIREC', '1', 'DP', '000123/1', '1001', 'J', '2', 'I', '2023-03-01', '17:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'MOVIREC', '1', 'DP', '000123/1', '1001', 'L', '1', 'A', '2023-03-02', '08:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'MOVIREC', '1', 'DP', '000123/1', '1001', 'L', '9', 'E', '2023-03-02', '08:30:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '001', 'MOVIREC', '1', 'NF', '4567', '1002', 'L', '1', 'I', '2023-02-01', '08:00:00', 'X');
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('1', '002', 'MOVIREC', '1', 'DP', '000123/1', '1001', 'L', '1', 'I', '2023-03-01', '09:00:00', NULL);
INSERT INTO integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, dataatual, horaatual, atualizou)
  VALUES ('2', '001', 'MOVIREC', '2', 'DP', '000125/1', '2001', 'L', '1', 'I', '2023-03-01', '09:00:00', NULL);

COMMIT;
