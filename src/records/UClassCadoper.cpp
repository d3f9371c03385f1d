// Operator records: one operator of a point-of-sale terminal and the terminal functions it may use.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef cadoperFields[] = {
    {"Codoper", ReadRule::Text},
    {"Nome", ReadRule::Text},
    {"Senha", ReadRule::Text},
    {"Sangria", ReadRule::Text},
    {"Cancelaitem", ReadRule::Text},
    {"Cancelavenda", ReadRule::Text},
    {"Leiturax", ReadRule::Text},
    {"Leituraz", ReadRule::Text},
    {"Leituramemoria", ReadRule::Text},
    {"Aberturagaveta", ReadRule::Text},
    {"Cancelaatual", ReadRule::Text},
    {"Usuario", ReadRule::Text},
    {"Historicocliente", ReadRule::Integer},
    {"Liquidadocurec", ReadRule::Text},
    {"Acao", ReadRule::Text},
};

const RecordKind TRegistroCadoper{
    "UClassCadoper",
    "TRegistroCadoper",
    "TColCadoper",
    cadoperFields,
    "Select Cadoper.Codoper, Cadoper.Nome, Cadoper.Senha, Cadoper.Sangria, Cadoper.Cancelaitem, "
    "Cadoper.Cancelavenda, Cadoper.Leiturax, Cadoper.Leituraz, Cadoper.Leituramemoria, "
    "Cadoper.Aberturagaveta, Cadoper.Cancelaatual, Cadoper.Usuario, Cadoper.Historicocliente, "
    "Cadoper.Liquidadocurec, integecf.acao From Cadoper inner join integecf on ( "
    "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf and integecf.tabela = "
    "\"CADOPER\" and integecf.chave0 = Cadoper.Codoper) Order by "
    "integecf.dataatual,integecf.horaatual desc",
    "CADOPER"};

}  // namespace records
