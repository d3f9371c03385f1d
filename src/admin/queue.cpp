// "velmora-admin queue": the backlog of integecf per company, terminal and
// queue table. One grouped read in a read-only transaction that never waits
// on a lock and never marks, so it can run every minute beside the service.
#include "admin/commands.h"
#include "db/FuncoesIntegECF.h"
#include "db/statement.h"
#include "db/transaction.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <iomanip>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

namespace admin {
namespace {

struct Key {
    std::string company, terminal, table;
    auto operator<=>(const Key&) const = default;
};

struct Backlog {
    std::int64_t pending = 0;    // atualizou anything but "X": not yet delivered
    std::int64_t delivered = 0;  // "X": delivered, not yet acknowledged
    std::optional<db::DateTime> oldestPending;
};

auto ordered(const db::DateTime& d) { return std::tie(d.year, d.month, d.day, d.hour, d.minute, d.second); }

// The change's moment: dataatual's day with horaatual's "hh:nn[:ss]" when it
// has one (dialect-1 dates carry a time of day too, usually midnight).
db::DateTime changeMoment(db::DateTime day, const std::string& time) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(time.c_str(), "%d:%d:%d", &h, &m, &s) >= 2) {
        day.hour = h;
        day.minute = m;
        day.second = s;
    }
    return day;
}

// Grouped by day as well: the oldest pending change is the earliest time of
// the earliest day, which the database finds in the same single pass.
std::map<Key, Backlog> readBacklog(db::Connection& connection, const QueueOptions& options) {
    std::string sql =
        "Select integecf.codempresa, integecf.ecf, integecf.tabela, "
        "Case When integecf.atualizou = 'X' Then 1 Else 0 End, integecf.dataatual, Count(*), "
        "Min(integecf.horaatual) From integecf";
    if (!options.company.empty()) sql += " Where integecf.codempresa = :Company";
    if (!options.terminal.empty()) sql += options.company.empty() ? " Where" : " And";
    if (!options.terminal.empty()) sql += " integecf.ecf = :Terminal";
    sql += " Group By 1, 2, 3, 4, 5";

    db::Transaction transaction(connection, db::Isolation::ReadOnlyNoWait);
    db::Statement statement(transaction, sql);
    if (!options.company.empty()) statement.bind("Company", options.company);
    if (!options.terminal.empty()) statement.bind("Terminal", options.terminal);
    std::map<Key, Backlog> backlog;
    db::Cursor rows = statement.open();
    while (rows.next()) {
        Backlog& b = backlog[{rows.text(0), rows.text(1), rows.text(2)}];
        const std::int64_t count = rows.asInteger(5);
        if (rows.asInteger(3) == 1) {
            b.delivered += count;
            continue;
        }
        b.pending += count;
        if (rows.isNull(4)) continue;
        const db::DateTime moment = changeMoment(rows.asDateTime(4), rows.text(6));
        if (!b.oldestPending || ordered(moment) < ordered(*b.oldestPending)) b.oldestPending = moment;
    }
    transaction.commit();
    return backlog;
}

std::string momentText(const db::DateTime& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute,
                  d.second);
    return text;
}

// The queue's times are the writing program's local time, as is this machine's.
std::int64_t unixSeconds(const db::DateTime& d) {
    std::tm local{};
    local.tm_year = d.year - 1900;
    local.tm_mon = d.month - 1;
    local.tm_mday = d.day;
    local.tm_hour = d.hour;
    local.tm_min = d.minute;
    local.tm_sec = d.second;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

void writeTable(const std::map<Key, Backlog>& backlog, std::ostream& out) {
    std::size_t widths[3] = {7, 8, 5};  // the headings' lengths
    for (const auto& [key, b] : backlog) {
        widths[0] = std::max(widths[0], key.company.size());
        widths[1] = std::max(widths[1], key.terminal.size());
        widths[2] = std::max(widths[2], key.table.size());
    }
    const auto row = [&](const std::string& company, const std::string& terminal, const std::string& table,
                         const std::string& pending, const std::string& delivered, const std::string& oldest) {
        out << std::left << std::setw(static_cast<int>(widths[0])) << company << "  "
            << std::setw(static_cast<int>(widths[1])) << terminal << "  " << std::setw(static_cast<int>(widths[2]))
            << table << "  " << std::right << std::setw(9) << pending << "  " << std::setw(9) << delivered << "  "
            << oldest << '\n';
    };
    row("company", "terminal", "table", "pending", "delivered", "oldest pending");
    for (const auto& [key, b] : backlog)
        row(key.company, key.terminal, key.table, std::to_string(b.pending), std::to_string(b.delivered),
            b.oldestPending ? momentText(*b.oldestPending) : "-");
}

std::string labelValue(const std::string& value) {
    std::string escaped;
    for (const char c : value) {
        if (c == '\\' || c == '"') escaped += '\\';
        if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

void writeHeader(std::ostream& out, const char* name, const char* help) {
    out << "# HELP " << name << ' ' << help << "\n# TYPE " << name << " gauge\n";
}

void writePrometheus(const std::map<Key, Backlog>* backlog, double seconds, std::ostream& out) {
    writeHeader(out, "velmora_queue_up", "1 when the queue was read, 0 when it could not be (see the timer's log).");
    out << "velmora_queue_up " << (backlog ? 1 : 0) << '\n';
    if (!backlog) return;
    writeHeader(out, "velmora_queue_read_seconds", "How long attaching and reading the queue took.");
    out << "velmora_queue_read_seconds " << seconds << '\n';
    const auto series = [&](const char* name, const char* help, auto value) {
        writeHeader(out, name, help);
        for (const auto& [key, b] : *backlog)
            if (const std::optional<std::int64_t> v = value(b))
                out << name << "{company=\"" << labelValue(key.company) << "\",terminal=\"" << labelValue(key.terminal)
                    << "\",table=\"" << labelValue(key.table) << "\"} " << *v << '\n';
    };
    series("velmora_queue_pending_rows", "Queue rows not yet delivered (atualizou is not X).",
           [](const Backlog& b) -> std::optional<std::int64_t> { return b.pending; });
    series("velmora_queue_delivered_rows", "Queue rows delivered (atualizou X) and not yet acknowledged.",
           [](const Backlog& b) -> std::optional<std::int64_t> { return b.delivered; });
    series("velmora_queue_oldest_pending_timestamp_seconds",
           "When the oldest pending change was made (dataatual, horaatual), in Unix seconds.",
           [](const Backlog& b) -> std::optional<std::int64_t> {
               if (!b.oldestPending) return std::nullopt;
               return unixSeconds(*b.oldestPending);
           });
}

// The textfile collector may read at any moment: the file is written beside
// its final name and renamed over it, so it sees the old or the new whole.
void replaceFile(const std::string& fileName, const std::string& contents) {
    std::string temporary = fileName + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw std::runtime_error("cannot create " + temporary + ": " + std::strerror(errno));
    const bool written = ::fchmod(fd, 0644) == 0 &&
                         ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    const int error = errno;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const int cause = written ? errno : error;
        ::unlink(temporary.c_str());
        throw std::runtime_error("cannot write " + fileName + ": " + std::strerror(cause));
    }
}

}  // namespace

int queue(const QueueOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<std::map<Key, Backlog>> backlog;
    const auto started = std::chrono::steady_clock::now();
    try {
        db::Connection connection;
        connection.open(db::LeParametros(options.ini));
        backlog = readBacklog(connection, options);
    } catch (const std::exception& e) {
        err << "velmora-admin: cannot read the queue: " << e.what() << '\n';
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::ostringstream text;
    if (options.prometheus)
        writePrometheus(backlog ? &*backlog : nullptr, seconds, text);
    else if (backlog)
        writeTable(*backlog, text);
    try {
        if (options.output.empty())
            out << text.str() << std::flush;
        else
            replaceFile(options.output, text.str());
    } catch (const std::exception& e) {
        err << "velmora-admin: " << e.what() << '\n';
        return 1;
    }
    return backlog ? 0 : 1;
}

}  // namespace admin
