// Reading a kind's pending records, and the reading rules that turn one
// result column into one record field.
#include "records/query_frame.h"

#include "db/statement.h"

#include <vector>

namespace records {

void appendDateText(const db::DateTime& m, bool hourMinute, std::string& out) {
    db::appendDate(m, out);
    out.push_back(' ');
    if (hourMinute)
        db::appendDigitPairs(out, ':', {m.hour, m.minute});
    else
        db::appendDigitPairs(out, ':', {m.minute, m.second});
}

std::size_t CarregaRegistros(db::Transaction& transaction, const RecordKind& kind, std::string_view PCodEmpresa,
                             std::string_view PEcf, RecordSink& sink) {
    sink.clear();
    const auto fields = kind.fields;
    db::Statement statement(transaction, kind.statement);
    statement.bind("PCodEmpresa", PCodEmpresa);
    statement.bind("PEcf", PEcf);
    db::Cursor rows = statement.open();

    // Columns are looked up once, at the first row: an empty result never
    // asks for them.
    std::vector<std::size_t> columns;
    std::string scratch;  // numbers and dates written as text
    std::size_t count = 0;
    while (rows.next()) {
        if (columns.empty()) {
            columns.resize(fields.size());
            for (std::size_t f = 0; f < fields.size(); ++f)
                if (fields[f].rule != ReadRule::NotFilled) columns[f] = rows.findColumn(fields[f].name);
        }
        sink.beginRecord();
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const std::size_t column = columns[f];
            switch (fields[f].rule) {
            case ReadRule::Text: sink.text(f, rows.win1252Text(column, scratch)); break;
            case ReadRule::Real: sink.real(f, rows.asReal(column)); break;
            case ReadRule::Integer: sink.integer(f, rows.asInteger(column)); break;
            case ReadRule::DateMinSec:
            case ReadRule::DateHourMin:
                scratch.clear();
                appendDateText(rows.asDateTime(column), fields[f].rule == ReadRule::DateHourMin, scratch);
                sink.text(f, scratch);
                break;
            case ReadRule::NotFilled: sink.text(f, {}); break;
            }
        }
        sink.endRecord();
        ++count;
    }
    return count;
}

}  // namespace records
