// "velmora-admin check": whether the service can work with this INI. It reads
// the INI as the service does, tries the request log as the web server's
// user, attaches, and compares the database's catalogue with what every
// operation reads (the record kinds' fields, the queue, the stock) and with
// the rights each needs. One line per check; the first FAIL does not stop it.
#include "admin/commands.h"
#include "common/ini_file.h"
#include "common/text.h"
#include "db/FuncoesIntegECF.h"
#include "db/statement.h"
#include "records/record_kind.h"

#include <fcntl.h>
#include <grp.h>
#include <ibase.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace admin {
namespace {

using records::ReadRule;

// The database's messages come in several lines ("...host.\n-Failed to
// establish a connection."): a check's line stays one line.
std::string oneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i];
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
            if (i + 1 < text.size() && text[i + 1] == '-') ++i;  // the client's continuation mark
        }
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '.')) line.pop_back();
    return line;
}

class Report {
public:
    explicit Report(std::ostream& out) : out_(out) {}
    void ok(const std::string& what) { out_ << "OK   " << oneLine(what) << '\n'; }
    void fail(const std::string& what, const std::string& toDo) {
        out_ << "FAIL " << oneLine(what) << ". " << toDo << '\n';
        ++failures_;
    }
    int exitCode() const { return failures_ == 0 ? 0 : 1; }

private:
    std::ostream& out_;
    int failures_ = 0;
};

std::string upper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = velmora::asciiUpper(c);
    return s;
}

// --- What the operations read, from the record model and the service's own
// statements. Unquoted names, as the statements write them, are upper case in
// the catalogue.

struct ColumnUse {
    std::string name;
    ReadRule rule;
};

struct TableUse {
    std::string name;
    std::vector<ColumnUse> columns;
    const records::RecordKind* kind = nullptr;  // whose import statement reads it
};

constexpr const records::RecordKind* kKinds[] = {
    &records::TRegistroProduto, &records::TRegistroCliente, &records::TRegistroCadoper, &records::TRegistroCadusua,
    &records::TRegistroVendend, &records::TRegistroCdoperc, &records::TRegistroFornece, &records::TRegistroPedidoc,
    &records::TRegistroPedidoi, &records::TRegistroDocurec, &records::TRegistroMovirec};

constexpr std::string_view kQueue = "INTEGECF";
constexpr std::string_view kStock = "COMPPROD";

std::vector<TableUse> tablesUsed() {
    std::vector<TableUse> tables;
    for (const records::RecordKind* kind : kKinds) {
        // A kind's unit names its source table (UClassProduto: Produto); its
        // last field, Acao, is the queue row's.
        TableUse& t =
            tables.emplace_back(TableUse{upper(kind->unit.substr(std::string_view("UClass").size())), {}, kind});
        for (const records::FieldDef& f : kind->fields)
            if (f.rule != ReadRule::NotFilled && f.name != "Acao") t.columns.push_back({upper(f.name), f.rule});
    }
    TableUse queue{std::string(kQueue), {}};
    for (const char* name : {"CODEMPRESA", "ECF", "TABELA", "CHAVE0", "CHAVE1", "CHAVE2", "CHAVE3", "CHAVE4", "CHAVE5",
                             "ACAO", "HORAATUAL", "ATUALIZOU"})
        queue.columns.push_back({name, ReadRule::Text});
    queue.columns.push_back({"DATAATUAL", ReadRule::DateMinSec});  // the queue's order, and its backlog's age
    tables.push_back(std::move(queue));
    tables.push_back({std::string(kStock),
                      {{"CODEMPRESA", ReadRule::Text},
                       {"CODPROD", ReadRule::Text},
                       {"CODGRADE", ReadRule::Text},
                       {"ESTOQUE", ReadRule::Real}}});
    return tables;
}

// --- Column types, as RDB$FIELDS gives them, against the cursor's readers.

enum class Family { Character, Number, Moment, Boolean, Unreadable };

struct ColumnType {
    int type = 0, subType = 0;
    bool array = false;
};

Family family(const ColumnType& t) {
    if (t.array) return Family::Unreadable;
    switch (t.type) {
    case 14:                                                                   // CHAR
    case 37:                                                                   // VARCHAR
    case 40: return Family::Character;                                         // CSTRING
    case 261: return t.subType == 1 ? Family::Character : Family::Unreadable;  // BLOB: text only
    case 7:
    case 8:
    case 10:
    case 11:
    case 16:
    case 27: return Family::Number;  // SMALLINT, INTEGER, FLOAT, D_FLOAT, BIGINT/NUMERIC, DOUBLE
    case 12:
    case 13:
    case 35: return Family::Moment;  // DATE, TIME, TIMESTAMP (a dialect-1 DATE)
    case 23: return Family::Boolean;
    default: return Family::Unreadable;
    }
}

const char* typeName(const ColumnType& t) {
    if (t.array) return "an array";
    switch (t.type) {
    case 7: return "SMALLINT";
    case 8: return "INTEGER";
    case 16: return "BIGINT";
    case 12:
    case 35: return "a date";
    case 13: return "TIME";
    case 23: return "BOOLEAN";
    case 261: return "a binary BLOB";
    default: return "this type";
    }
}

// Text, Real: anything but arrays and binary BLOBs (texts are parsed).
// Integer: no dates. Dates: dates and times, or texts holding them.
bool readable(ReadRule rule, Family f) {
    if (f == Family::Unreadable) return false;
    switch (rule) {
    case ReadRule::Integer: return f != Family::Moment;
    case ReadRule::DateMinSec:
    case ReadRule::DateHourMin: return f == Family::Character || f == Family::Moment;
    default: return true;
    }
}

const char* wanted(ReadRule rule) {
    switch (rule) {
    case ReadRule::Integer: return "a number";
    case ReadRule::DateMinSec:
    case ReadRule::DateHourMin: return "a date";
    default: return "a text";
    }
}

struct Catalogue {
    std::map<std::string, std::string> owners;                         // table -> owner
    std::map<std::string, std::map<std::string, ColumnType>> columns;  // table -> column -> type
    std::string user, databaseOwner;
    // (table, privilege letter), and UPDATE granted on single columns.
    std::set<std::pair<std::string, char>> rights;
    std::set<std::pair<std::string, std::string>> columnUpdates;
};

std::string trimmed(const db::Cursor& rows, std::size_t column) {
    return std::string(velmora::trim(rows.text(column)));
}

Catalogue readCatalogue(db::Transaction& transaction) {
    Catalogue c;
    {
        db::Statement who(transaction, "Select Current_User, Mon$Owner From Mon$Database");
        db::Cursor rows = who.open();
        if (rows.next()) {
            c.user = trimmed(rows, 0);
            c.databaseOwner = trimmed(rows, 1);
        }
    }
    db::Statement relations(transaction, "Select Rdb$Relation_Name, Rdb$Owner_Name From Rdb$Relations");
    for (db::Cursor rows = relations.open(); rows.next();) c.owners[trimmed(rows, 0)] = trimmed(rows, 1);
    db::Statement fields(transaction,
                         "Select rf.Rdb$Relation_Name, rf.Rdb$Field_Name, f.Rdb$Field_Type, f.Rdb$Field_Sub_Type, "
                         "f.Rdb$Dimensions From Rdb$Relation_Fields rf Join Rdb$Fields f On f.Rdb$Field_Name = "
                         "rf.Rdb$Field_Source");
    for (db::Cursor rows = fields.open(); rows.next();)
        c.columns[trimmed(rows, 0)][trimmed(rows, 1)] = {rows.asInteger(2), rows.isNull(3) ? 0 : rows.asInteger(3),
                                                         !rows.isNull(4)};
    // The service attaches without a role: only the user's own grants and
    // PUBLIC's count.
    db::Statement privileges(
        transaction,
        "Select Rdb$Relation_Name, Rdb$Privilege, Rdb$Field_Name From Rdb$User_Privileges "
        "Where Rdb$Object_Type = 0 And Rdb$User_Type = 8 And Rdb$User In (Current_User, 'PUBLIC')");
    for (db::Cursor rows = privileges.open(); rows.next();) {
        const std::string table = trimmed(rows, 0), right = trimmed(rows, 1);
        if (right.empty()) continue;
        if (rows.isNull(2))
            c.rights.insert({table, right[0]});
        else if (right == "U")
            c.columnUpdates.insert({table, trimmed(rows, 2)});
    }
    return c;
}

// --- The checks

bool superUser(const Catalogue& c) { return c.user == "SYSDBA" || c.user == c.databaseOwner; }

// SYSDBA and the database's owner may do anything, a table's owner anything
// with it; UPDATE of atualizou alone is all the service needs.
bool has(const Catalogue& c, const std::string& table, char right) {
    if (superUser(c)) return true;
    const auto owner = c.owners.find(table);
    if (owner != c.owners.end() && owner->second == c.user) return true;
    if (c.rights.count({table, right})) return true;
    return right == 'U' && c.columnUpdates.count({table, "ATUALIZOU"}) > 0;
}

void checkRights(const Catalogue& c, const std::vector<TableUse>& tables, Report& report) {
    const std::string& user = c.user;
    if (superUser(c))
        return report.ok("rights of " + user + ": every right (" +
                         (user == "SYSDBA" ? std::string("SYSDBA") : "the database's owner") + ")");
    bool all = true;
    for (const TableUse& t : tables) {
        if (!c.columns.count(t.name)) continue;  // reported missing already
        const bool queue = t.name == kQueue;
        for (const char right : queue ? std::string_view("SUD") : std::string_view("S")) {
            if (has(c, t.name, right)) continue;
            const std::string verb = right == 'S' ? "SELECT" : right == 'U' ? "UPDATE" : "DELETE";
            report.fail("rights of " + user + ": no " + verb + " on " + t.name,
                        "As the tables' owner: GRANT " + (right == 'U' ? verb + " (atualizou)" : verb) + " ON " +
                            t.name + " TO " + user);
            all = false;
        }
    }
    if (all)
        report.ok("rights of " + user + ": SELECT on the " + std::to_string(tables.size() - 1) +
                  " tables read, SELECT, UPDATE and DELETE on " + std::string(kQueue));
}

void checkColumns(const Catalogue& c, const TableUse& t, db::Transaction& transaction, Report& report) {
    const auto table = c.columns.find(t.name);
    if (table == c.columns.end())
        return report.fail("table " + t.name + ": missing",
                           "Create it as the demo schema does (/usr/share/velmora/demo/schema.sql)");
    bool allThere = true;
    for (const ColumnUse& use : t.columns) {
        const auto column = table->second.find(use.name);
        if (column == table->second.end()) {
            report.fail("column " + t.name + "." + use.name + ": missing",
                        "Add it with the demo schema's type (/usr/share/velmora/demo/schema.sql)");
            allThere = false;
        } else if (!readable(use.rule, family(column->second))) {
            report.fail("column " + t.name + "." + use.name + ": " + typeName(column->second) + " cannot be read as " +
                            wanted(use.rule),
                        "Give it the demo schema's type");
            allThere = false;
        }
    }
    if (!allThere) return;
    std::string what = "table " + t.name + ": " + std::to_string(t.columns.size()) + " columns readable";
    // The import's own statement, prepared as the service prepares it: the
    // joins' and the order's columns are checked too. Preparing needs the
    // rights the lines below check.
    if (t.kind && has(c, t.name, 'S') && has(c, std::string(kQueue), 'S')) {
        try {
            db::Statement prepared(transaction, t.kind->statement);
            what += ", its import's statement prepares";
        } catch (const std::exception& e) {
            return report.fail("table " + t.name + ": its import's statement does not prepare: " + e.what(),
                               "Compare the table with the demo schema");
        }
    }
    report.ok(what);
}

// What the attachment's failure asks of the operator, by the client's code.
std::string attachAdvice(const db::DatabaseError& e) {
    switch (e.errorCode()) {
    case isc_login: return "Fix USUARIO and SENHA in the INI's [DATABASE] section";
    case isc_network_error: return "Start the Firebird server, or fix the host and port in CAMINHO";
    case isc_io_error: return "Fix CAMINHO: the file must exist where the database engine looks for it";
    default: return "Fix the INI's [DATABASE] section, or the database";
    }
}

// Whether `user` may append to the log, or create it: asked of the kernel by
// a child running as that user (which only root can start), so directory
// search rights, ACLs and read-only mounts all count. Runs before anything
// starts threads. Gives errno's text, or empty when it may.
std::string logProblem(const std::string& fileName, const passwd& user) {
    const bool switchUser = ::geteuid() != user.pw_uid;
    if (switchUser && ::geteuid() != 0) return "only root can check for another user than itself";
    std::vector<gid_t> groups(64);
    int count = static_cast<int>(groups.size());
    while (::getgrouplist(user.pw_name, user.pw_gid, groups.data(), &count) < 0)
        groups.resize(static_cast<std::size_t>(count));
    const std::string directory = fileName.substr(0, fileName.rfind('/') + 1);
    const pid_t child = ::fork();
    if (child < 0) return std::strerror(errno);
    if (child == 0) {
        if (switchUser && (::setgroups(static_cast<std::size_t>(count), groups.data()) != 0 ||
                           ::setgid(user.pw_gid) != 0 || ::setuid(user.pw_uid) != 0))
            ::_exit(errno);
        // Opened without writing; a missing file needs a writable directory.
        const int fd = ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd >= 0) ::_exit(0);
        if (errno != ENOENT) ::_exit(errno);
        ::_exit(::access(directory.empty() ? "." : directory.c_str(), W_OK | X_OK) == 0 ? 0 : errno);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (!WIFEXITED(status)) return "the checking process failed";
    return WEXITSTATUS(status) == 0 ? std::string() : std::strerror(WEXITSTATUS(status));
}

void checkLog(const std::string& fileName, const std::string& userName, Report& report) {
    if (fileName.empty())
        return report.ok("request log: not configured; failed calls go to standard error (the web server's error log)");
    const passwd* user = ::getpwnam(userName.c_str());
    if (!user)
        return report.fail("request log " + fileName + ": no user " + userName,
                           "Give --as the user the web server runs the service as");
    const passwd copy = *user;
    const std::string problem = logProblem(fileName, copy);
    if (problem.empty()) return report.ok("request log " + fileName + ": " + userName + " can append to it");
    const std::string directory = fileName.substr(0, fileName.rfind('/'));
    // The package's way: whoever runs the program writes through group velmora.
    report.fail("request log " + fileName + ": " + userName + " cannot append to it (" + problem + ")",
                "Put " + userName + " in group velmora (adduser " + userName +
                    " velmora, then restart the web server) and let the group write there, as the package's "
                    "/var/log/velmora does (install -d -o velmora -g velmora -m 2770 " +
                    directory + ")");
}

}  // namespace

int check(const CheckOptions& options, std::ostream& out) {
    Report report(out);
    db::ConnectParams params;
    std::string logFile;
    try {
        params = db::LeParametros(options.ini);
        logFile = velmora::IniFile::load(options.ini).readString("LOG", "ARQUIVO");
    } catch (const std::exception& e) {
        report.fail("INI " + options.ini + ": " + e.what(),
                    "Create it with a [DATABASE] section (CAMINHO, USUARIO, SENHA)");
        return report.exitCode();
    }
    if (params.database.empty()) {
        report.fail("INI " + options.ini + ": no CAMINHO in [DATABASE]", "Name the database in CAMINHO");
        return report.exitCode();
    }
    report.ok("INI " + options.ini + ": database " + params.database + ", user " +
              (params.user.empty() ? "(none)" : params.user));
    checkLog(logFile, options.logUser, report);

    db::Connection connection;
    try {
        connection.open(params);
    } catch (const db::DatabaseError& e) {
        report.fail(std::string("attach: ") + e.what(), attachAdvice(e));
        return report.exitCode();
    }
    report.ok("attach: " + params.database);
    try {
        // Read-only, as the service reads: the check changes nothing.
        db::Transaction reading(connection, db::Isolation::ReadOnly);
        const Catalogue catalogue = readCatalogue(reading);
        const std::vector<TableUse> tables = tablesUsed();
        for (const TableUse& t : tables) checkColumns(catalogue, t, reading, report);
        checkRights(catalogue, tables, report);
        reading.commit();
    } catch (const std::exception& e) {
        report.fail(std::string("reading the catalogue: ") + e.what(), "Check the database user's rights");
    }
    return report.exitCode();
}

}  // namespace admin
