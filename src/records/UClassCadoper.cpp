#include "records/UClassCadoper.h"

namespace records {
namespace {

constexpr FieldDef fields[] = {
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

}  // namespace

const RecordKind TRegistroCadoper{"UClassCadoper", "TRegistroCadoper", "TColCadoper", fields};

}  // namespace records
