// The fleet's writer.
#include "fleet_writer.h"

#include "dataset.h"

#include "db/transaction.h"

#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace fleet {
namespace {

std::string keyOf(const Table& table, unsigned draw, long products) {
    if (table.keys == 0)
        return bench::dataset::productCode(1 + static_cast<long>(draw % static_cast<unsigned long>(products)));
    char key[16];
    std::snprintf(key, sizeof key, "K%06u", draw % static_cast<unsigned>(table.keys));
    return key;
}

// The queue's time of day, as the other program writes it.
std::string timeOfDay() {
    char text[16];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

}  // namespace

Writer::Writer(const db::ConnectParams& params, const std::vector<Terminal>& terminals, Audit& audit, unsigned seed)
    : audit_(audit), random_(seed) {
    connection_.open(params);
    {
        db::Transaction transaction(connection_);
        db::Statement(transaction,
                      "recreate table fleet_terminal (codempresa varchar(4) not null, ecf varchar(4) not null, "
                      "primary key (codempresa, ecf))")
            .execute();
        transaction.commit();
    }
    {
        db::Transaction transaction(connection_);
        db::Statement insert(transaction, "insert into fleet_terminal (codempresa, ecf) values (:E, :F)");
        for (const Terminal& t : terminals) {
            insert.bind("E", t.company);
            insert.bind("F", t.ecf);
            insert.execute();
            if (ecfsOf_[t.company].empty()) companies_.push_back(t.company);
            ecfsOf_[t.company].push_back(t.ecf);
        }
        transaction.commit();
    }
    {
        db::Transaction reading(connection_, db::Isolation::ReadOnly);
        db::Statement count(reading, "select count(*), min(Codprod), max(Codprod) from Produto");
        db::Cursor row = count.open();
        row.next();
        products_ = row.asInteger(0);
        if (products_ == 0 || row.text(1) != bench::dataset::productCode(1) ||
            row.text(2) != bench::dataset::productCode(products_))
            throw std::runtime_error("the catalogue is not the generator's products 1.." + std::to_string(products_));
    }
}

Writer::~Writer() = default;

void Writer::change() {
    int draw = static_cast<int>(random_() % 100);
    std::size_t t = 0;
    while (draw >= kTables[t].weight) draw -= kTables[t++].weight;
    const Table& table = kTables[t];
    const std::string& company = companies_[random_() % companies_.size()];
    const std::string key = keyOf(table, static_cast<unsigned>(random_()), products_);

    db::Transaction transaction(connection_);
    db::Statement source(transaction, table.change);
    source.bind("K", key);
    source.bind("T", "Alterado " + std::to_string(++changes_) + " as " + timeOfDay());
    source.execute();
    db::Statement fanOut(
        transaction,
        "insert into integecf (codempresa, ecf, tabela, chave0, chave1, chave2, chave3, chave4, chave5, acao, "
        "dataatual, horaatual) select codempresa, ecf, :Q, :C0, :C1, :C2, :C3, :C4, :C5, 'A', 'TODAY', :H "
        "from fleet_terminal where codempresa = :E");
    fanOut.bind("E", company);
    fanOut.bind("Q", table.queue);
    fanOut.bind("H", timeOfDay());
    for (std::size_t c = 0; c < table.chaves.size(); ++c)
        fanOut.bind("C" + std::to_string(c), table.chaves[c] == "K" ? std::string_view(key) : table.chaves[c]);
    fanOut.execute();
    transaction.commit();
    for (const std::string& ecf : ecfsOf_[company]) audit_.queued(company, ecf, table.queue, key);
    rowsQueued_ += static_cast<long>(ecfsOf_[company].size());
}

void Writer::queueCatalogue(const Terminal& terminal) {
    db::Transaction transaction(connection_);
    db::Statement catalogue(transaction,
                            "insert into integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual) "
                            "select :E, :F, 'PRODUTO', Codprod, 'I', 'TODAY', :H from Produto");
    catalogue.bind("E", terminal.company);
    catalogue.bind("F", terminal.ecf);
    catalogue.bind("H", timeOfDay());
    catalogue.execute();
    transaction.commit();
    for (long n = 1; n <= products_; ++n)
        audit_.queued(terminal.company, terminal.ecf, "PRODUTO", bench::dataset::productCode(n));
    rowsQueued_ += products_;
}

void Writer::readPending() {
    db::Transaction reading(connection_, db::Isolation::ReadOnly);
    db::Statement pending(
        reading,
        "select i.codempresa, i.ecf, i.tabela, i.chave0, i.chave1, i.chave2, i.chave3 from integecf i "
        "join fleet_terminal t on t.codempresa = i.codempresa and t.ecf = i.ecf "
        "where i.atualizou is null");
    db::Cursor row = pending.open();
    while (row.next()) {
        const std::string table = row.text(2);
        int chave = 0;
        for (const Table& known : kTables)
            if (known.queue == table) chave = known.keyChave;
        audit_.pending(row.text(0), row.text(1), table, row.text(3 + static_cast<std::size_t>(chave)));
    }
}

}  // namespace fleet
