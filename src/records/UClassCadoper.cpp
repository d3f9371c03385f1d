// Operator records: one operator of a point-of-sale terminal and the terminal functions it may use.
#include "records/record_kind.h"

namespace records {

constexpr FieldDef cadoperFields[] = {
    {"Codoper", FieldKind::Text, ReadRule::Text},
    {"Nome", FieldKind::Text, ReadRule::Text},
    {"Senha", FieldKind::Text, ReadRule::Text},
    {"Sangria", FieldKind::Text, ReadRule::Text},
    {"Cancelaitem", FieldKind::Text, ReadRule::Text},
    {"Cancelavenda", FieldKind::Text, ReadRule::Text},
    {"Leiturax", FieldKind::Text, ReadRule::Text},
    {"Leituraz", FieldKind::Text, ReadRule::Text},
    {"Leituramemoria", FieldKind::Text, ReadRule::Text},
    {"Aberturagaveta", FieldKind::Text, ReadRule::Text},
    {"Cancelaatual", FieldKind::Text, ReadRule::Text},
    {"Usuario", FieldKind::Text, ReadRule::Text},
    {"Historicocliente", FieldKind::Integer, ReadRule::Integer},
    {"Liquidadocurec", FieldKind::Text, ReadRule::Text},
    {"Acao", FieldKind::Text, ReadRule::Text},
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
