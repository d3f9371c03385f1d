// User records: one user with its permissions and limits.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef cadusuaFields[] = {
    {"Usuario", ReadRule::Text},
    {"Senha", ReadRule::Text},
    {"Nome", ReadRule::Text},
    {"Lotacao", ReadRule::Text},
    {"Cargo", ReadRule::Text},
    {"Re", ReadRule::Text},
    {"Ramal", ReadRule::Text},
    {"Departamento", ReadRule::Text},
    {"Impressora", ReadRule::Text},
    {"Alfa", ReadRule::Text},
    {"Equipamento", ReadRule::Text},
    {"Podemexerdata", ReadRule::Text},
    {"Codvendedor", ReadRule::Text},
    {"Codempresa", ReadRule::Text},
    {"Codcomprador", ReadRule::Text},
    {"Autorizaoc", ReadRule::Text},
    {"Autorizasolic", ReadRule::Text},
    {"Autorizadireta", ReadRule::Text},
    {"Alteraprecoorc", ReadRule::Text},
    {"Percdescmax", ReadRule::Real},
    {"Percdescmaxcart", ReadRule::Real},
    {"Prazomediomax", ReadRule::Integer},
    {"Gerente", ReadRule::Text},
    {"Tipospedidocancela", ReadRule::Text},
    {"Codopercautorizados", ReadRule::Text},
    {"Usuariosdescliq", ReadRule::Text},
    {"Liberatroca", ReadRule::Text},
    {"Autorizalimcli", ReadRule::Text},
    {"Usapalm", ReadRule::NotFilled},
    {"Percmaxdescliq", ReadRule::Real},
    {"Podebaixarcheque", ReadRule::Text},
    {"Podeestornarcheque", ReadRule::Text},
    {"Podealterarnumerodovoid", ReadRule::Text},
    {"Tempoocioso", ReadRule::Integer},
    {"Precosaalterar", ReadRule::Text},
    {"Codperfilce", ReadRule::Text},
    {"Tpvendaautorizados", ReadRule::Text},
    {"Ativo", ReadRule::Text},
    {"Acessasomatoria", ReadRule::Text},
    {"Alteraprecolaudoassis", ReadRule::Text},
    {"Alteradescprodorc", ReadRule::Text},
    {"Digital1", ReadRule::Text},
    {"Digital2", ReadRule::Text},
    {"Digital3", ReadRule::Text},
    {"Imprimevendaaprazo", ReadRule::Text},
    {"Tpvendaautorizadosorc", ReadRule::Text},
    {"Aprovaconferenciaoc", ReadRule::Integer},
    {"Naoalteraouexclui", ReadRule::Text},
    {"Exibetelaboasvindas", ReadRule::Text},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroCadusua{
    "UClassCadusua",
    "TRegistroCadusua",
    "TColCadusua",
    cadusuaFields,
    "Select Cadusua.Usuario, Cadusua.Senha, Cadusua.Nome, Cadusua.Lotacao, Cadusua.Cargo, "
    "Cadusua.Re, Cadusua.Ramal, Cadusua.Departamento, Cadusua.Impressora, Cadusua.Alfa, "
    "Cadusua.Equipamento, Cadusua.Podemexerdata, Cadusua.Codvendedor, Cadusua.Codempresa, "
    "Cadusua.Codcomprador, Cadusua.Autorizaoc, Cadusua.Autorizasolic, Cadusua.Autorizadireta, "
    "Cadusua.Alteraprecoorc, Cadusua.Percdescmax, Cadusua.Percdescmaxcart, "
    "Cadusua.Prazomediomax, Cadusua.Gerente, Cadusua.Tipospedidocancela, "
    "Cadusua.Codopercautorizados, Cadusua.Usuariosdescliq, Cadusua.Liberatroca, "
    "Cadusua.Autorizalimcli, Cadusua.Percmaxdescliq, Cadusua.Podebaixarcheque, "
    "Cadusua.Podeestornarcheque, Cadusua.Podealterarnumerodovoid, Cadusua.Tempoocioso, "
    "Cadusua.Precosaalterar, Cadusua.Codperfilce, Cadusua.Tpvendaautorizados, Cadusua.Ativo, "
    "Cadusua.Acessasomatoria, Cadusua.Alteraprecolaudoassis, Cadusua.Alteradescprodorc, "
    "Cadusua.Digital1, Cadusua.Digital2, Cadusua.Digital3, Cadusua.Imprimevendaaprazo, "
    "Cadusua.Tpvendaautorizadosorc, Cadusua.Aprovaconferenciaoc, Cadusua.Naoalteraouexclui, "
    "Cadusua.Exibetelaboasvindas, integecf.acao From Cadusua inner join integecf on ( "
    "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"CADUSUA\" and integecf.chave0 = Cadusua.Usuario) Order by "
    "integecf.dataatual,integecf.horaatual desc",
    "CADUSUA"};

}  // namespace records
