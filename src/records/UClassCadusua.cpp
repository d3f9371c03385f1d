// User records: one user with its permissions and limits.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef cadusuaFields[] = {
    {"Usuario", FieldKind::Text, ReadRule::Text},
    {"Senha", FieldKind::Text, ReadRule::Text},
    {"Nome", FieldKind::Text, ReadRule::Text},
    {"Lotacao", FieldKind::Text, ReadRule::Text},
    {"Cargo", FieldKind::Text, ReadRule::Text},
    {"Re", FieldKind::Text, ReadRule::Text},
    {"Ramal", FieldKind::Text, ReadRule::Text},
    {"Departamento", FieldKind::Text, ReadRule::Text},
    {"Impressora", FieldKind::Text, ReadRule::Text},
    {"Alfa", FieldKind::Text, ReadRule::Text},
    {"Equipamento", FieldKind::Text, ReadRule::Text},
    {"Podemexerdata", FieldKind::Text, ReadRule::Text},
    {"Codvendedor", FieldKind::Text, ReadRule::Text},
    {"Codempresa", FieldKind::Text, ReadRule::Text},
    {"Codcomprador", FieldKind::Text, ReadRule::Text},
    {"Autorizaoc", FieldKind::Text, ReadRule::Text},
    {"Autorizasolic", FieldKind::Text, ReadRule::Text},
    {"Autorizadireta", FieldKind::Text, ReadRule::Text},
    {"Alteraprecoorc", FieldKind::Text, ReadRule::Text},
    {"Percdescmax", FieldKind::Real, ReadRule::Real},
    {"Percdescmaxcart", FieldKind::Real, ReadRule::Real},
    {"Prazomediomax", FieldKind::Integer, ReadRule::Integer},
    {"Gerente", FieldKind::Text, ReadRule::Text},
    {"Tipospedidocancela", FieldKind::Text, ReadRule::Text},
    {"Codopercautorizados", FieldKind::Text, ReadRule::Text},
    {"Usuariosdescliq", FieldKind::Text, ReadRule::Text},
    {"Liberatroca", FieldKind::Text, ReadRule::Text},
    {"Autorizalimcli", FieldKind::Text, ReadRule::Text},
    {"Usapalm", FieldKind::Text, ReadRule::NotFilled},
    {"Percmaxdescliq", FieldKind::Real, ReadRule::Real},
    {"Podebaixarcheque", FieldKind::Text, ReadRule::Text},
    {"Podeestornarcheque", FieldKind::Text, ReadRule::Text},
    {"Podealterarnumerodovoid", FieldKind::Text, ReadRule::Text},
    {"Tempoocioso", FieldKind::Integer, ReadRule::Integer},
    {"Precosaalterar", FieldKind::Text, ReadRule::Text},
    {"Codperfilce", FieldKind::Text, ReadRule::Text},
    {"Tpvendaautorizados", FieldKind::Text, ReadRule::Text},
    {"Ativo", FieldKind::Text, ReadRule::Text},
    {"Acessasomatoria", FieldKind::Text, ReadRule::Text},
    {"Alteraprecolaudoassis", FieldKind::Text, ReadRule::Text},
    {"Alteradescprodorc", FieldKind::Text, ReadRule::Text},
    {"Digital1", FieldKind::Text, ReadRule::Text},
    {"Digital2", FieldKind::Text, ReadRule::Text},
    {"Digital3", FieldKind::Text, ReadRule::Text},
    {"Imprimevendaaprazo", FieldKind::Text, ReadRule::Text},
    {"Tpvendaautorizadosorc", FieldKind::Text, ReadRule::Text},
    {"Aprovaconferenciaoc", FieldKind::Integer, ReadRule::Integer},
    {"Naoalteraouexclui", FieldKind::Text, ReadRule::Text},
    {"Exibetelaboasvindas", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
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
