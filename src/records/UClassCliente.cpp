// Client records: registration, address, tax and sales data of one client.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef clienteFields[] = {
    {"Codcliente", FieldKind::Text, ReadRule::Text},
    {"Nome", FieldKind::Text, ReadRule::Text},
    {"Nomefantasia", FieldKind::Text, ReadRule::Text},
    {"Endereco", FieldKind::Text, ReadRule::Text},
    {"Bairro", FieldKind::Text, ReadRule::Text},
    {"Codcidade", FieldKind::Text, ReadRule::Text},
    {"Estado", FieldKind::Text, ReadRule::Text},
    {"Cep", FieldKind::Text, ReadRule::Text},
    {"Cgccpf", FieldKind::Text, ReadRule::Text},
    {"Inscest", FieldKind::Text, ReadRule::Text},
    {"Pessoa_fj", FieldKind::Text, ReadRule::Text},
    {"Contato", FieldKind::Text, ReadRule::Text},
    {"Fone", FieldKind::Text, ReadRule::Text},
    {"Fax", FieldKind::Text, ReadRule::Text},
    {"Codclascli", FieldKind::Text, ReadRule::Text},
    {"Codsegmento", FieldKind::Text, ReadRule::Text},
    {"Enderecocob", FieldKind::Text, ReadRule::Text},
    {"Bairrocob", FieldKind::Text, ReadRule::Text},
    {"Codcidadecob", FieldKind::Text, ReadRule::Text},
    {"Estadocob", FieldKind::Text, ReadRule::Text},
    {"Cepcob", FieldKind::Text, ReadRule::Text},
    {"Ctctbred", FieldKind::Text, ReadRule::Text},
    {"Nomesocio", FieldKind::Text, ReadRule::Text},
    {"Codtranspt", FieldKind::Text, ReadRule::Text},
    {"Codvendend1", FieldKind::Text, ReadRule::Text},
    {"Enderecoent", FieldKind::Text, ReadRule::Text},
    {"Bairroent", FieldKind::Text, ReadRule::Text},
    {"Codcidadeent", FieldKind::Text, ReadRule::Text},
    {"Estadoent", FieldKind::Text, ReadRule::Text},
    {"Cepent", FieldKind::Text, ReadRule::Text},
    {"Dt_cadastro", FieldKind::Text, ReadRule::DateMinSec},
    {"Dt_primvenda", FieldKind::Text, ReadRule::DateMinSec},
    {"Dt_ultvenda", FieldKind::Text, ReadRule::DateMinSec},
    {"Codprazo", FieldKind::Text, ReadRule::Text},
    {"Email", FieldKind::Text, ReadRule::Text},
    {"Campolivre1", FieldKind::Text, ReadRule::Text},
    {"Campolivre2", FieldKind::Text, ReadRule::Text},
    {"Campolivre3", FieldKind::Text, ReadRule::Text},
    {"Campolivre4", FieldKind::Text, ReadRule::Text},
    {"Homepage", FieldKind::Text, ReadRule::Text},
    {"Clibloqueado", FieldKind::Text, ReadRule::Text},
    {"Ativo", FieldKind::Text, ReadRule::Text},
    {"Dt_valcad", FieldKind::Text, ReadRule::DateMinSec},
    {"Limitecredito", FieldKind::Real, ReadRule::Real},
    {"Dt_nascimento", FieldKind::Text, ReadRule::DateMinSec},
    {"Observacao", FieldKind::Text, ReadRule::Text},
    {"Codfornec", FieldKind::Text, ReadRule::Text},
    {"Data_ult_alteracao", FieldKind::Text, ReadRule::DateMinSec},
    {"Campolivre5", FieldKind::Text, ReadRule::Text},
    {"Campolivre6", FieldKind::Text, ReadRule::Text},
    {"Campolivre7", FieldKind::Text, ReadRule::Text},
    {"Campolivre8", FieldKind::Text, ReadRule::Text},
    {"Campolivre9", FieldKind::Text, ReadRule::Text},
    {"Codrota", FieldKind::Text, ReadRule::Text},
    {"Tipocliente", FieldKind::Text, ReadRule::Text},
    {"Campolivre10", FieldKind::Text, ReadRule::Text},
    {"Celular", FieldKind::Text, ReadRule::Text},
    {"Codopcel", FieldKind::Integer, ReadRule::Integer},
    {"Maladiretaeletr", FieldKind::Text, ReadRule::Text},
    {"Prefixcelular", FieldKind::Text, ReadRule::Text},
    {"Prazopgtoliberado", FieldKind::Text, ReadRule::Text},
    {"Formapgtoliberado", FieldKind::Text, ReadRule::Text},
    {"Codtvenda", FieldKind::Text, ReadRule::Text},
    {"Retempisconfis", FieldKind::Text, ReadRule::Text},
    {"Codrepresentante", FieldKind::Text, ReadRule::Text},
    {"Tipovenda", FieldKind::Integer, ReadRule::Integer},
    {"Teste", FieldKind::Text, ReadRule::NotFilled},
    {"Ats", FieldKind::Text, ReadRule::NotFilled},
    {"Seqrota", FieldKind::Integer, ReadRule::Integer},
    {"Carenciadebitopdv", FieldKind::Integer, ReadRule::Integer},
    {"Gruposproduto", FieldKind::Text, ReadRule::Text},
    {"Codficha", FieldKind::Integer, ReadRule::Integer},
    {"Outrasdespesasnf", FieldKind::Real, ReadRule::Real},
    {"Optantesimples", FieldKind::Text, ReadRule::Text},
    {"Protestarcliente", FieldKind::Text, ReadRule::Text},
    {"Tipocontrato", FieldKind::Integer, ReadRule::Integer},
    {"Diavenccontrato", FieldKind::Integer, ReadRule::Integer},
    {"Databasecontrato", FieldKind::Text, ReadRule::DateMinSec},
    {"Qtdsalariominimo", FieldKind::Real, ReadRule::Real},
    {"Valorcontrato", FieldKind::Real, ReadRule::Real},
    {"Codempresacli", FieldKind::Text, ReadRule::Text},
    {"Datacancelacontrato", FieldKind::Text, ReadRule::DateMinSec},
    {"Motivocancelacontrato", FieldKind::Text, ReadRule::Text},
    {"Exigenf", FieldKind::Integer, ReadRule::Integer},
    {"Senhainstalacao", FieldKind::Text, ReadRule::Text},
    {"Codmotivocanccontrato", FieldKind::Text, ReadRule::Text},
    {"Inscmunicipal", FieldKind::Text, ReadRule::Text},
    {"Prazoprotesto", FieldKind::Integer, ReadRule::Integer},
    {"Retemiss", FieldKind::Text, ReadRule::Text},
    {"Contribuintest", FieldKind::Integer, ReadRule::Integer},
    {"Codclienteecom", FieldKind::Integer, ReadRule::Integer},
    {"Codpais", FieldKind::Text, ReadRule::Text},
    {"Placa", FieldKind::Text, ReadRule::Text},
    {"Km", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
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
