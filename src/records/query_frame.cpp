// Reading a kind's pending records, and the reading rules that turn one
// result column into one record field.
#include "records/query_frame.h"

#include "db/statement.h"

#include <vector>

namespace records {
namespace {

// Reads column into field of the last record of out, by the field's rule.
void readField(const db::Cursor& row, std::size_t column, std::size_t field, ReadRule rule, RecordArray& out) {
    switch (rule) {
    case ReadRule::Text: out.setTextWith(field, [&](std::string& pool) { row.appendText(column, pool); }); break;
    case ReadRule::Real: out.setReal(field, row.asReal(column)); break;
    case ReadRule::Integer: out.setInteger(field, row.asInteger(column)); break;
    case ReadRule::DateMinSec:
    case ReadRule::DateHourMin: {
        const db::DateTime moment = row.asDateTime(column);
        out.setTextWith(field, [&](std::string& pool) { appendDateText(moment, rule == ReadRule::DateHourMin, pool); });
        break;
    }
    case ReadRule::NotFilled: break;
    }
}

}  // namespace

void appendDateText(const db::DateTime& m, bool hourMinute, std::string& out) {
    db::appendDate(m, out);
    out.push_back(' ');
    if (hourMinute)
        db::appendDigitPairs(out, ':', {m.hour, m.minute});
    else
        db::appendDigitPairs(out, ':', {m.minute, m.second});
}

void CarregaRegistros(db::Connection& connection, std::string_view PCodEmpresa, std::string_view PEcf,
                      RecordArray& result) {
    result.clear();
    const auto fields = result.kind().fields;
    db::Statement statement(connection, result.kind().statement);
    statement.bind("PCodEmpresa", PCodEmpresa);
    statement.bind("PEcf", PEcf);
    db::Cursor rows = statement.open();

    // Columns are looked up once, at the first row: an empty result never
    // asks for them.
    std::vector<std::size_t> columns;
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
