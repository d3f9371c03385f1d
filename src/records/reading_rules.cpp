#include "records/reading_rules.h"

namespace records {
namespace {

void appendTwo(int value, std::string& out) {
    out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

}  // namespace

void appendDateText(const db::DateTime& m, bool hourMinute, std::string& out) {
    appendTwo(m.day, out);
    out.push_back('.');
    appendTwo(m.month, out);
    out.push_back('.');
    const int y = m.year;
    appendTwo(y / 100, out);
    appendTwo(y % 100, out);
    out.push_back(' ');
    if (hourMinute) {
        appendTwo(m.hour, out);
        out.push_back(':');
        appendTwo(m.minute, out);
    } else {
        appendTwo(m.minute, out);
        out.push_back(':');
        appendTwo(m.second, out);
    }
}

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

}  // namespace records
