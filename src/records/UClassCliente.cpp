// Client records: registration, address, tax and sales data of one client.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef clienteFields[] = {
    {"Codcliente", ReadRule::Text},
    {"Nome", ReadRule::Text},
    {"Nomefantasia", ReadRule::Text},
    {"Endereco", ReadRule::Text},
    {"Bairro", ReadRule::Text},
    {"Codcidade", ReadRule::Text},
    {"Estado", ReadRule::Text},
    {"Cep", ReadRule::Text},
    {"Cgccpf", ReadRule::Text},
    {"Inscest", ReadRule::Text},
    {"Pessoa_fj", ReadRule::Text},
    {"Contato", ReadRule::Text},
    {"Fone", ReadRule::Text},
    {"Fax", ReadRule::Text},
    {"Codclascli", ReadRule::Text},
    {"Codsegmento", ReadRule::Text},
    {"Enderecocob", ReadRule::Text},
    {"Bairrocob", ReadRule::Text},
    {"Codcidadecob", ReadRule::Text},
    {"Estadocob", ReadRule::Text},
    {"Cepcob", ReadRule::Text},
    {"Ctctbred", ReadRule::Text},
    {"Nomesocio", ReadRule::Text},
    {"Codtranspt", ReadRule::Text},
    {"Codvendend1", ReadRule::Text},
    {"Enderecoent", ReadRule::Text},
    {"Bairroent", ReadRule::Text},
    {"Codcidadeent", ReadRule::Text},
    {"Estadoent", ReadRule::Text},
    {"Cepent", ReadRule::Text},
    {"Dt_cadastro", ReadRule::DateMinSec},
    {"Dt_primvenda", ReadRule::DateMinSec},
    {"Dt_ultvenda", ReadRule::DateMinSec},
    {"Codprazo", ReadRule::Text},
    {"Email", ReadRule::Text},
    {"Campolivre1", ReadRule::Text},
    {"Campolivre2", ReadRule::Text},
    {"Campolivre3", ReadRule::Text},
    {"Campolivre4", ReadRule::Text},
    {"Homepage", ReadRule::Text},
    {"Clibloqueado", ReadRule::Text},
    {"Ativo", ReadRule::Text},
    {"Dt_valcad", ReadRule::DateMinSec},
    {"Limitecredito", ReadRule::Real},
    {"Dt_nascimento", ReadRule::DateMinSec},
    {"Observacao", ReadRule::Text},
    {"Codfornec", ReadRule::Text},
    {"Data_ult_alteracao", ReadRule::DateMinSec},
    {"Campolivre5", ReadRule::Text},
    {"Campolivre6", ReadRule::Text},
    {"Campolivre7", ReadRule::Text},
    {"Campolivre8", ReadRule::Text},
    {"Campolivre9", ReadRule::Text},
    {"Codrota", ReadRule::Text},
    {"Tipocliente", ReadRule::Text},
    {"Campolivre10", ReadRule::Text},
    {"Celular", ReadRule::Text},
    {"Codopcel", ReadRule::Integer},
    {"Maladiretaeletr", ReadRule::Text},
    {"Prefixcelular", ReadRule::Text},
    {"Prazopgtoliberado", ReadRule::Text},
    {"Formapgtoliberado", ReadRule::Text},
    {"Codtvenda", ReadRule::Text},
    {"Retempisconfis", ReadRule::Text},
    {"Codrepresentante", ReadRule::Text},
    {"Tipovenda", ReadRule::Integer},
    {"Teste", ReadRule::NotFilled},
    {"Ats", ReadRule::NotFilled},
    {"Seqrota", ReadRule::Integer},
    {"Carenciadebitopdv", ReadRule::Integer},
    {"Gruposproduto", ReadRule::Text},
    {"Codficha", ReadRule::Integer},
    {"Outrasdespesasnf", ReadRule::Real},
    {"Optantesimples", ReadRule::Text},
    {"Protestarcliente", ReadRule::Text},
    {"Tipocontrato", ReadRule::Integer},
    {"Diavenccontrato", ReadRule::Integer},
    {"Databasecontrato", ReadRule::DateMinSec},
    {"Qtdsalariominimo", ReadRule::Real},
    {"Valorcontrato", ReadRule::Real},
    {"Codempresacli", ReadRule::Text},
    {"Datacancelacontrato", ReadRule::DateMinSec},
    {"Motivocancelacontrato", ReadRule::Text},
    {"Exigenf", ReadRule::Integer},
    {"Senhainstalacao", ReadRule::Text},
    {"Codmotivocanccontrato", ReadRule::Text},
    {"Inscmunicipal", ReadRule::Text},
    {"Prazoprotesto", ReadRule::Integer},
    {"Retemiss", ReadRule::Text},
    {"Contribuintest", ReadRule::Integer},
    {"Codclienteecom", ReadRule::Integer},
    {"Codpais", ReadRule::Text},
    {"Placa", ReadRule::Text},
    {"Km", ReadRule::Text},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroCliente{
    "UClassCliente",
    "TRegistroCliente",
    "TColCliente",
    clienteFields,
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
    "integecf.dataatual,integecf.horaatual desc",
    "CLIENTE"};

}  // namespace records
