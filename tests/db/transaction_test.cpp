// The scoped transaction that every statement runs in, isolation between
// transactions, and what a failed attachment reports.
#include "db/transaction.h"
#include "db/statement.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using db::DatabaseError;
using testsupport::TestDatabase;

constexpr const char* kSchema = R"sql(
create table q (id integer not null primary key, mark char(1));
insert into q values (1, null);
insert into q values (2, null);
)sql";

int count(db::Transaction& t, const char* where = "1 = 1") {
    db::Statement s(t, std::string("select count(*) from q where ") + where);
    db::Cursor r = s.open();
    EXPECT_TRUE(r.next());
    return r.asInteger(0);
}

// What a connection's fresh read sees: what is committed.
int count(db::Connection& c, const char* where = "1 = 1") {
    db::Transaction reading(c, db::Isolation::ReadOnly);
    return count(reading, where);
}

void run(db::Transaction& t, const char* sql) {
    db::Statement s(t, sql);
    s.execute();
}

class Transactions : public ::testing::Test {
protected:
    void SetUp() override {
        a.open(database.params());
        b.open(database.params());
    }

    TestDatabase database{kSchema};
    db::Connection a, b;
};

TEST_F(Transactions, CommitKeepsAndLeavingTheScopeUndoes) {
    {
        db::Transaction t(a);
        EXPECT_TRUE(t.isActive());
        run(t, "insert into q values (3, null)");
        EXPECT_EQ(count(t), 3);  // its own work is visible inside
        EXPECT_EQ(count(b), 2);  // and nowhere else yet
    }
    EXPECT_EQ(count(b), 2);

    {
        db::Transaction t(a, db::Isolation::ReadCommitted);
        run(t, "insert into q values (4, null)");
        t.commit();
        EXPECT_FALSE(t.isActive());
    }  // nothing left to undo
    EXPECT_EQ(count(b), 3);

    {
        db::Transaction t(a);
        run(t, "insert into q values (5, null)");
        t.rollback();
        EXPECT_FALSE(t.isActive());
    }
    EXPECT_EQ(count(b), 3);
}

TEST_F(Transactions, EndingTwiceOrUsingAnEndedOneIsAnError) {
    db::Transaction t(a);
    db::Statement s(t, "select count(*) from q");
    t.commit();
    EXPECT_THROW(t.commit(), DatabaseError);
    EXPECT_THROW(t.rollback(), DatabaseError);
    EXPECT_THROW(s.open(), DatabaseError);
    EXPECT_THROW(db::Statement(t, "select 1 from rdb$database"), DatabaseError);
}

// Each statement runs in the transaction it was given, even with another
// one open on the same connection.
TEST_F(Transactions, AStatementRunsInItsOwnTransactionNotAnotherOfTheConnection) {
    db::Transaction writing(a);
    db::Transaction reading(a, db::Isolation::ReadOnly);
    run(writing, "insert into q values (3, null)");
    EXPECT_EQ(count(reading), 2);
    EXPECT_EQ(count(writing), 3);
    writing.commit();
    EXPECT_EQ(count(reading), 3);  // read committed: it sees the commit
}

// A commit that fails (here refused by a commit trigger) leaves the
// transaction active; the scope's end then rolls it back.
TEST_F(Transactions, AFailedCommitIsRolledBackAtTheEndOfTheScope) {
    database.run(R"sql(
create exception refused 'commit refused';
set term ^ ;
create trigger refuse_commit on transaction commit as
begin
  if (exists(select 1 from q where id = 99)) then exception refused;
end^
set term ; ^
)sql");
    db::Connection c;  // database triggers are read when attaching
    c.open(database.params());
    {
        db::Transaction t(c);
        run(t, "insert into q values (99, null)");
        try {
            t.commit();
            FAIL() << "the commit trigger did not refuse";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find("commit refused"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(t.isActive());
    }
    EXPECT_EQ(count(b), 2);
    EXPECT_EQ(count(c), 2);  // and the connection goes on
}

TEST_F(Transactions, AFailedStatementLeavesNothingBehind) {
    db::Transaction t(a);
    db::Statement s(t, "insert into q values (:id, null)");
    s.bind("id", "1");  // duplicate key
    EXPECT_THROW(s.execute(), DatabaseError);
    s.bind("id", "5");
    s.execute();  // the transaction is still usable
    t.commit();
    EXPECT_EQ(count(b), 3);
}

TEST_F(Transactions, SnapshotSeesOneStateOfTheDatabase) {
    db::Transaction t(a, db::Isolation::Snapshot);
    EXPECT_EQ(count(t), 2);
    database.execute("insert into q values (3, null)");
    EXPECT_EQ(count(t), 2);  // the row committed meanwhile stays out of sight
    run(t, "update q set mark = 'X'");
    t.commit();
    EXPECT_EQ(count(b, "mark = 'X'"), 2);  // only the rows it could see
    EXPECT_EQ(count(b), 3);
}

TEST_F(Transactions, ConcurrentUpdateInSnapshotIsAnUpdateConflict) {
    db::Transaction t(a, db::Isolation::Snapshot);
    EXPECT_EQ(count(t), 2);
    {
        db::Transaction rival(b, db::Isolation::ReadCommitted);
        run(rival, "update q set mark = 'B' where id = 1");
        rival.commit();
    }
    try {
        run(t, "update q set mark = 'X' where id = 1");
        FAIL() << "updated a row another transaction changed after the snapshot";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.updateConflict()) << e.what();
        EXPECT_NE(std::string(e.what()).find("update conflicts with concurrent update"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(t.isActive());  // the caller rolls back and retries
    t.rollback();
    EXPECT_EQ(count(a, "mark = 'B'"), 1);
}

TEST_F(Transactions, AResultOutlivingItsTransactionFailsCleanly) {
    db::Transaction t(a);
    db::Statement s(t, "select id from q order by id");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    t.commit();
    EXPECT_THROW(while (r.next()){}, DatabaseError);
    EXPECT_EQ(count(a), 2);  // the connection goes on
}

TEST_F(Transactions, TransactionsNeedAnOpenConnection) {
    db::Connection unopened;
    EXPECT_FALSE(unopened.isOpen());
    EXPECT_THROW(db::Transaction{unopened}, DatabaseError);
    EXPECT_THROW(a.open(database.params()), DatabaseError);  // already open
}

TEST(Connections, BadLocationGivesTheClientsMessage) {
    db::Connection c;
    try {
        c.open({"/nonexistent/velmora/none.fdb", "SYSDBA", "masterkey"});
        FAIL() << "opened a database that does not exist";
    } catch (const DatabaseError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("/nonexistent/velmora/none.fdb"), std::string::npos) << m;
        EXPECT_FALSE(e.updateConflict());
    }
    EXPECT_FALSE(c.isOpen());

    // Through a server, a port nobody listens on.
    try {
        c.open({"127.0.0.1/1:/tmp/none.fdb", "SYSDBA", "masterkey"});
        FAIL() << "reached a server on port 1";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("127.0.0.1"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(c.isOpen());
}

TEST(Connections, TestDatabasesGoThroughTheServerWhenAsked) {
    TestDatabase database(kSchema);
    db::Connection c;
    c.open(database.params());
    db::Transaction reading(c, db::Isolation::ReadOnly);
    db::Statement s(reading,
                    "select mon$remote_protocol from mon$attachments where mon$attachment_id = current_connection");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    if (testsupport::firebirdServerPort()) {
        EXPECT_EQ(r.text(0).substr(0, 3), "TCP");
        EXPECT_NE(database.location().find("127.0.0.1/"), std::string::npos);
    } else {
        EXPECT_TRUE(r.isNull(0));
        EXPECT_EQ(database.location(), database.path());
    }
}

TEST(Connections, CanBeOpenedWithoutPassword) {
    // The embedded engine takes the user as identity and checks no password;
    // the server checks it, so this only runs embedded.
    if (testsupport::firebirdServerPort()) GTEST_SKIP() << "through a server the password is checked";
    TestDatabase database(kSchema);
    db::Connection c;
    c.open({database.location(), "SYSDBA", ""});
    EXPECT_EQ(count(c), 2);
}

}  // namespace
