#include "records/query_frame.h"

#include "db/statement.h"
#include "records/reading_rules.h"

#include <vector>

namespace records {

void TDao::CarregaRegistros(std::string_view PCodEmpresa, std::string_view PEcf, RecordArray& result) const {
    result.clear();
    db::Statement statement(connection_, sql_);
    statement.bind("PCodEmpresa", PCodEmpresa);
    statement.bind("PEcf", PEcf);
    db::Cursor rows = statement.open();

    // Columns are looked up once, at the first row: an empty result never
    // asks for them.
    std::vector<std::size_t> columns;
    const auto fields = kind_.fields;
    while (rows.next()) {
        if (columns.empty()) {
            columns.resize(fields.size());
            for (std::size_t f = 0; f < fields.size(); ++f)
                if (fields[f].rule != ReadRule::NotFilled) columns[f] = rows.findColumn(fields[f].name);
        }
        result.addRecord();
        for (std::size_t f = 0; f < fields.size(); ++f) readField(rows, columns[f], f, fields[f].rule, result);
    }
}

}  // namespace records
