// The marking audit trigger and its tallies; the queue's journals.
#include "stress/marking_audit.h"

#include "db/statement.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace stress {

void installMarkingAudit(const StressDatabase& database) {
    database.run(R"sql(
create table marking_tried (tx varchar(20), ecf varchar(4), tabela varchar(20), mark char(1));
create table marking_kept (tx varchar(20), ecf varchar(4), tabela varchar(20), mark char(1));
set term ^ ;
create trigger integecf_marking_audit for integecf active before update position 10 as
declare tx varchar(20);
declare ignored integer;
begin
  if (rdb$get_context('USER_TRANSACTION', 'MARKING_AUDIT') is null) then
  begin
    ignored = rdb$set_context('USER_TRANSACTION', 'MARKING_AUDIT', '1');
    tx = cast(current_transaction as varchar(20));
    insert into marking_kept values (:tx, new.ecf, new.tabela, new.atualizou);
    in autonomous transaction do
      insert into marking_tried values (:tx, new.ecf, new.tabela, new.atualizou);
  end
end^
set term ; ^
)sql");
}

MarkingCounts readMarkingAudit(const StressDatabase& database, const std::string& mark, const std::string& terminal) {
    db::Connection c;
    c.open(database.params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    const auto count = [&](const char* table) {
        db::Statement s(reading, std::string("select count(*) from ") + table + " where mark = :M" +
                                     (terminal.empty() ? "" : " and ecf = :F"));
        s.bind("M", mark);
        if (!terminal.empty()) s.bind("F", terminal);
        db::Cursor r = s.open();
        r.next();
        return r.asInteger(0);
    };
    return {count("marking_tried"), count("marking_kept")};
}

void installQueueJournal(const StressDatabase& database) {
    const std::string path = std::string(VELMORA_SOURCE_DIR) + "/tests/stress/queue_journal.sql";
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream script;
    script << in.rdbuf();
    database.run(script.str());
}

QueueJournal readQueueJournal(const StressDatabase& database) {
    db::Connection c;
    c.open(database.params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    const auto rows = [&](const char* table) {
        std::vector<JournalRow> out;
        db::Statement s(reading, std::string("select ecf, tabela, chave0 from ") + table);
        for (db::Cursor r = s.open(); r.next();) out.push_back({r.text(0), r.text(1), r.text(2)});
        return out;
    };
    return {rows("queue_journal"), rows("marked_journal")};
}

}  // namespace stress
