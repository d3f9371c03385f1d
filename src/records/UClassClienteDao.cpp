#include "records/UClassClienteDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
    "Select Cliente.Codcliente, Cliente.Nome, Cliente.Nomefantasia, Cliente.Endereco, "
    "Cliente.Bairro, Cliente.Codcidade, Cliente.Estado, Cliente.Cep, Cliente.Cgccpf, "
    "Cliente.Inscest, Cliente.Pessoa_fj, Cliente.Contato, Cliente.Fone, Cliente.Fax, "
    "Cliente.Codclascli, Cliente.Codsegmento, Cliente.Enderecocob, Cliente.Bairrocob, "
    "Cliente.Codcidadecob, Cliente.Estadocob, Cliente.Cepcob, Cliente.Ctctbred, "
    "Cliente.Nomesocio, Cliente.Codtranspt, Cliente.Codvendend1, Cliente.Enderecoent, "
    "Cliente.Bairroent, Cliente.Codcidadeent, Cliente.Estadoent, Cliente.Cepent, "
    "Cliente.Dt_cadastro, Cliente.Dt_primvenda, Cliente.Dt_ultvenda, Cliente.Codprazo, "
    "Cliente.Email, Cliente.Campolivre1, Cliente.Campolivre2, Cliente.Campolivre3, "
    "Cliente.Campolivre4, Cliente.Homepage, Cliente.Clibloqueado, Cliente.Ativo, "
    "Cliente.Dt_valcad, Cliente.Limitecredito, Cliente.Dt_nascimento, Cliente.Observacao, "
    "Cliente.Codfornec, Cliente.Data_ult_alteracao, Cliente.Campolivre5, Cliente.Campolivre6, "
    "Cliente.Campolivre7, Cliente.Campolivre8, Cliente.Campolivre9, Cliente.Codrota, "
    "Cliente.Tipocliente, Cliente.Campolivre10, Cliente.Celular, Cliente.Codopcel, "
    "Cliente.Maladiretaeletr, Cliente.Prefixcelular, Cliente.Prazopgtoliberado, "
    "Cliente.Formapgtoliberado, Cliente.Codtvenda, Cliente.Retempisconfis, "
    "Cliente.Codrepresentante, Cliente.Tipovenda, Cliente.Seqrota, Cliente.Carenciadebitopdv, "
    "Cliente.Gruposproduto, Cliente.Codficha, Cliente.Outrasdespesasnf, Cliente.Optantesimples, "
    "Cliente.Protestarcliente, Cliente.Tipocontrato, Cliente.Diavenccontrato, "
    "Cliente.Databasecontrato, Cliente.Qtdsalariominimo, Cliente.Valorcontrato, "
    "Cliente.Codempresacli, Cliente.Datacancelacontrato, Cliente.Motivocancelacontrato, "
    "Cliente.Exigenf, Cliente.Senhainstalacao, Cliente.Codmotivocanccontrato, "
    "Cliente.Inscmunicipal, Cliente.Prazoprotesto, Cliente.Retemiss, Cliente.Contribuintest, "
    "Cliente.Codclienteecom, Cliente.Codpais, Cliente.Placa, Cliente.Km, integecf.acao From "
    "Cliente inner join integecf on ( integecf.codempresa = :PCodEmpresa and integecf.ecf = "
    ":PEcf and integecf.tabela = \"CLIENTE\" and integecf.chave0 = cliente.codcliente) Order by "
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TClienteDao::TClienteDao(db::Connection& connection) : TDao(connection, TRegistroCliente, sql, queueTable) {}

}  // namespace records
