// The floor of a product import: what any program must do for it, and no
// more. It attaches as the service does, runs the service's product statement
// in one snapshot transaction, reads every column of every row the way the
// record's field says (text converted to UTF-8, real, integer, date text),
// runs the marking UPDATE and commits. No records are kept and no XML is
// written: the CGI program's time over this one is the service's own cost.
//
//   bench_floor_import LOCATION [COMPANY TERMINAL]
//
// Prints "rows N text-bytes B" and closes standard output once committed and
// detached, as the CGI program closes it once its response is out.
#include "dataset.h"
#include "fb_raw.h"

#include "common/win1252.h"
#include "db/connection.h"
#include "records/record_kind.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

using namespace Firebird;

double scaled(std::int64_t v, int scale) {
    double d = static_cast<double>(v);
    for (int i = 0; i < -scale; ++i) d /= 10;
    return d;
}

double realOf(const bench::Message& m, const bench::Slot& s) {
    if (m.isNull(s)) return 0;
    switch (s.type) {
    case SQL_DOUBLE: return m.load<double>(s.offset);
    case SQL_FLOAT: return m.load<float>(s.offset);
    case SQL_SHORT: return scaled(m.load<std::int16_t>(s.offset), s.scale);
    case SQL_LONG: return scaled(m.load<std::int32_t>(s.offset), s.scale);
    case SQL_INT64: return scaled(m.load<std::int64_t>(s.offset), s.scale);
    default: return 0;
    }
}

void appendTwo(unsigned v, std::string& out) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}

// Reads one field into `text` (texts and dates) or the checksum (numbers).
void readField(const bench::Message& m, const bench::Slot& s, records::ReadRule rule, IUtil* util, std::string& text,
               double& sum) {
    switch (rule) {
    case records::ReadRule::Text:
        if (m.isNull(s)) return;
        if (s.type == SQL_TEXT || s.type == SQL_VARYING) {
            velmora::appendWin1252AsUtf8(m.text(s), text);
        } else {
            char digits[32];
            text.append(digits, std::to_chars(digits, digits + sizeof digits, realOf(m, s)).ptr);
        }
        return;
    case records::ReadRule::Real: sum += realOf(m, s); return;
    case records::ReadRule::Integer: sum += std::nearbyint(realOf(m, s)); return;
    case records::ReadRule::DateMinSec:
    case records::ReadRule::DateHourMin: {
        unsigned y = 1899, mo = 12, d = 30, h = 0, mi = 0, se = 0, frac = 0;
        if (!m.isNull(s) && s.type == SQL_TIMESTAMP) {
            const auto ts = m.load<ISC_TIMESTAMP>(s.offset);
            util->decodeDate(ts.timestamp_date, &y, &mo, &d);
            util->decodeTime(ts.timestamp_time, &h, &mi, &se, &frac);
        }
        appendTwo(d, text);
        text += '.';
        appendTwo(mo, text);
        text += '.';
        appendTwo(y / 100, text);
        appendTwo(y % 100, text);
        text += ' ';
        appendTwo(rule == records::ReadRule::DateMinSec ? mi : h, text);
        text += ':';
        appendTwo(rule == records::ReadRule::DateMinSec ? se : mi, text);
        return;
    }
    case records::ReadRule::NotFilled: return;
    }
}

int run(const std::string& location, std::string_view company, std::string_view terminal) {
    const records::RecordKind& kind = records::TRegistroProduto;
    const auto fields = kind.fields;

    bench::Session db(location);
    auto tra = db.startSnapshot();
    auto select = db.prepare(tra.get(), bench::positional(kind.statement));
    bench::Message in(select->getInputMetadata(db.status.get()), db.status);
    in.setText(in.slots[0], company);
    in.setText(in.slots[1], terminal);
    bench::Message row(select->getOutputMetadata(db.status.get()), db.status);
    if (row.slots.size() != fields.size()) {
        std::fprintf(stderr, "the statement selects %zu columns for %zu fields\n", row.slots.size(), fields.size());
        return 1;
    }

    db::fb::Handle<IResultSet> cursor(
        select->openCursor(db.status.get(), tra.get(), in.metadata.get(), in.buffer.data(), row.metadata.get(), 0));
    db.status.check();
    long rows = 0;
    std::size_t textBytes = 0;
    double sum = 0;
    std::string text;
    while (cursor->fetchNext(db.status.get(), row.buffer.data()) == IStatus::RESULT_OK) {
        text.clear();
        for (std::size_t f = 0; f < fields.size(); ++f)
            readField(row, row.slots[f], fields[f].rule, db.util, text, sum);
        textBytes += text.size();
        ++rows;
    }
    db.status.check();
    cursor->close(db.status.get());
    db.status.check();
    cursor.disown();

    auto mark = db.prepare(tra.get(), bench::positional("Update integecf set integecf.atualizou = \"X\" where "
                                                        "integecf.codempresa = :PCodEmpresa and integecf.ecf = :PEcf "
                                                        "and integecf.tabela = :PTab"));
    bench::Message markIn(mark->getInputMetadata(db.status.get()), db.status);
    markIn.setText(markIn.slots[0], company);
    markIn.setText(markIn.slots[1], terminal);
    markIn.setText(markIn.slots[2], kind.queueTable);
    mark->execute(db.status.get(), tra.get(), markIn.metadata.get(), markIn.buffer.data(), nullptr, nullptr);
    db.status.check();
    db.commit(tra);
    select.reset();
    mark.reset();
    db.detach();

    std::printf("rows %ld text-bytes %zu checksum %.0f\n", rows, textBytes, sum);
    std::fflush(stdout);
    std::fclose(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s LOCATION [COMPANY TERMINAL]\n", argv[0]);
        return 2;
    }
    try {
        return run(argv[1], argc == 4 ? argv[2] : bench::dataset::company,
                   argc == 4 ? argv[3] : bench::dataset::terminal);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_floor_import: %s\n", e.what());
        return 1;
    }
}
