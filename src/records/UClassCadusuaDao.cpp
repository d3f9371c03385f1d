#include "records/UClassCadusuaDao.h"

namespace records {
namespace {

// Kept exactly as terminals' databases expect it: double-quoted constants are
// strings (client dialect 1).
constexpr std::string_view sql =
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
    "integecf.dataatual,integecf.horaatual desc";

}  // namespace

TCadusuaDao::TCadusuaDao(db::Connection& connection) : TDao(connection, TRegistroCadusua, sql, queueTable) {}

}  // namespace records
