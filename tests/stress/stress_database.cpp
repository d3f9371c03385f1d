// Databases and queued changes for the stress tests.
#include "stress/stress_database.h"

#include "db/statement.h"
#include "db/transaction.h"
#include "support/demo_script.h"

#include <sys/stat.h>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace stress {
namespace {

// TestDatabase picks embedded or server from the environment when it is
// created; set it for that moment only.
testsupport::TestDatabase makeDatabase(std::optional<int> serverPort) {
    const char* before = std::getenv("VELMORA_TEST_FB_SERVER");
    const std::optional<std::string> saved = before ? std::optional<std::string>(before) : std::nullopt;
    if (serverPort)
        ::setenv("VELMORA_TEST_FB_SERVER", std::to_string(*serverPort).c_str(), 1);
    else
        ::unsetenv("VELMORA_TEST_FB_SERVER");
    struct Restore {
        const std::optional<std::string>& saved;
        ~Restore() {
            if (saved)
                ::setenv("VELMORA_TEST_FB_SERVER", saved->c_str(), 1);
            else
                ::unsetenv("VELMORA_TEST_FB_SERVER");
        }
    } restore{saved};
    return testsupport::TestDatabase(testsupport::demoScript("schema.sql"));
}

std::string quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

}  // namespace

StressDatabase::StressDatabase(std::optional<int> serverPort) : database_(makeDatabase(serverPort)) {
    // Embedded, the CGI processes open the file themselves as the web
    // server's user, which needs to write it even to read.
    if (!serverPort) ::chmod(database_.path().c_str(), 0666);
}

void StressDatabase::fill(const QueueTable& table, std::string_view company, std::string_view terminal, int count,
                          std::string_view keyPrefix) const {
    const std::string key = quoted(keyPrefix) + " || lpad(:i, 7, '0')";
    database_.execute("execute block as declare i integer = 1; begin while (i <= " + std::to_string(count) +
                      ") do begin insert into " + std::string(table.source) + " (" + std::string(table.keyColumn) +
                      ", " + std::string(table.textColumn) + ") values (" + key + ", 'Registro de carga ' || :i); " +
                      "insert into integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual) values (" +
                      quoted(company) + ", " + quoted(terminal) + ", " + quoted(table.queueName) + ", " + key +
                      ", 'I', 'TODAY', '08:00:00'); i = i + 1; end end");
}

int StressDatabase::countQueue(const std::string& where) const {
    db::Connection c;
    c.open(params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    db::Statement s(reading, "select count(*) from integecf where " + where);
    db::Cursor r = s.open();
    r.next();
    return r.asInteger(0);
}

ChangeProducer::ChangeProducer(const db::ConnectParams& params) { connection_.open(params); }

ChangeProducer::~ChangeProducer() = default;

void ChangeProducer::queue(std::string_view company, const std::vector<Change>& changes) {
    db::Transaction transaction(connection_);
    // Each statement prepared once per call, the first time it is needed.
    std::vector<std::optional<db::Statement>> sources(std::size(kQueueTables));
    db::Statement queueRow(transaction,
                           "insert into integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual) "
                           "values (:E, :F, :T, :K, 'A', 'TODAY', '09:00:00')");
    for (const Change& change : changes) {
        std::size_t index = 0;
        while (kQueueTables[index].queueName != change.table->queueName) ++index;
        const QueueTable& table = kQueueTables[index];
        if (!sources[index])
            sources[index].emplace(transaction, "update or insert into " + std::string(table.source) + " (" +
                                                    std::string(table.keyColumn) + ", " +
                                                    std::string(table.textColumn) + ") values (:K, :T) matching (" +
                                                    std::string(table.keyColumn) + ")");
        db::Statement& source = *sources[index];
        source.bind("K", change.key);
        source.bind("T", "Alterado " + change.key);
        source.execute();
        queueRow.bind("E", company);
        queueRow.bind("F", change.terminal);
        queueRow.bind("T", change.table->queueName);
        queueRow.bind("K", change.key);
        queueRow.execute();
    }
    transaction.commit();
}

}  // namespace stress
