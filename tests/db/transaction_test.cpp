// The scoped transaction and the connection's one current transaction,
// statements run without one, isolation between connections, and what a
// failed attachment reports.
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

int count(db::Connection& c, const char* where = "1 = 1") {
    db::Statement s(c, std::string("select count(*) from q where ") + where);
    db::Cursor r = s.open();
    EXPECT_TRUE(r.next());
    return r.asInteger(0);
}

void run(db::Connection& c, const char* sql) {
    db::Statement s(c, sql);
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
    EXPECT_FALSE(a.inTransaction());
    {
        db::Transaction t(a);
        EXPECT_TRUE(a.inTransaction());
        EXPECT_TRUE(t.isActive());
        run(a, "insert into q values (3, null)");
        EXPECT_EQ(count(a), 3);  // its own work is visible inside
        EXPECT_EQ(count(b), 2);  // and nowhere else yet
    }
    EXPECT_FALSE(a.inTransaction());
    EXPECT_EQ(count(b), 2);

    {
        db::Transaction t(a, db::Isolation::ReadCommitted);
        run(a, "insert into q values (4, null)");
        t.commit();
        EXPECT_FALSE(t.isActive());
        EXPECT_FALSE(a.inTransaction());
    }  // nothing left to undo
    EXPECT_EQ(count(b), 3);

    {
        db::Transaction t(a);
        run(a, "insert into q values (5, null)");
        t.rollback();
        EXPECT_FALSE(a.inTransaction());
    }
    EXPECT_EQ(count(b), 3);
}

TEST_F(Transactions, EndingOrStartingTwiceIsAnError) {
    EXPECT_THROW(db::commitCurrent(a), DatabaseError);
    EXPECT_THROW(db::rollbackCurrent(a), DatabaseError);
    db::Transaction t(a);
    EXPECT_THROW(db::Transaction{a}, DatabaseError);
    EXPECT_TRUE(t.isActive());
    t.commit();
    EXPECT_THROW(t.commit(), DatabaseError);
    EXPECT_THROW(t.rollback(), DatabaseError);
}

// ConfirmaTransacao and DesfazTransacao end the current transaction through the
// connection, e.g. a marking that failed rolls back the import's transaction:
// the scoped object must then leave alone what is no longer its own, also a
// transaction begun after it by someone else.
TEST_F(Transactions, AScopedTransactionEndedThroughTheConnectionIsNotEndedAgain) {
    {
        db::Transaction t(a);
        run(a, "insert into q values (3, null)");
        db::rollbackCurrent(a);
        EXPECT_FALSE(t.isActive());
        EXPECT_THROW(t.commit(), DatabaseError);

        db::Transaction(a).leaveOpen();  // another, left current
        run(a, "insert into q values (4, null)");
        EXPECT_FALSE(t.isActive());
    }
    ASSERT_TRUE(a.inTransaction()) << "the first scope ended a transaction it did not begin";
    db::commitCurrent(a);
    EXPECT_EQ(count(b, "id = 3"), 0);
    EXPECT_EQ(count(b, "id = 4"), 1);
}

// A commit that fails (here refused by a commit trigger) leaves the
// transaction current; the scope's end then rolls it back.
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
        run(c, "insert into q values (99, null)");
        try {
            t.commit();
            FAIL() << "the commit trigger did not refuse";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find("commit refused"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(t.isActive());
        EXPECT_TRUE(c.inTransaction());
    }
    EXPECT_FALSE(c.inTransaction());
    EXPECT_EQ(count(b), 2);
    EXPECT_EQ(count(c), 2);  // and the connection goes on
}

TEST_F(Transactions, StatementsWithoutTransactionCommitOnTheirOwn) {
    run(a, "update q set mark = 'X' where id = 1");
    EXPECT_FALSE(a.inTransaction());
    EXPECT_EQ(count(b, "mark = 'X'"), 1);

    // A read outside a transaction sees what others committed since.
    db::Statement s(a, "select count(*) from q");
    {
        db::Cursor r = s.open();
        ASSERT_TRUE(r.next());
        EXPECT_EQ(r.asInteger(0), 2);
    }
    database.execute("insert into q values (9, null)");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    EXPECT_EQ(r.asInteger(0), 3);
}

TEST_F(Transactions, AFailedStatementLeavesNothingBehind) {
    db::Statement s(a, "insert into q values (:id, null)");
    s.bind("id", "1");  // duplicate key
    EXPECT_THROW(s.execute(), DatabaseError);
    s.bind("id", "5");
    s.execute();  // the connection is still usable
    EXPECT_EQ(count(b), 3);
}

TEST_F(Transactions, SnapshotSeesOneStateOfTheDatabase) {
    db::Transaction t(a, db::Isolation::Snapshot);
    EXPECT_EQ(count(a), 2);
    database.execute("insert into q values (3, null)");
    EXPECT_EQ(count(a), 2);  // the row committed meanwhile stays out of sight
    run(a, "update q set mark = 'X'");
    t.commit();
    EXPECT_EQ(count(b, "mark = 'X'"), 2);  // only the rows it could see
    EXPECT_EQ(count(b), 3);
}

TEST_F(Transactions, ConcurrentUpdateInSnapshotIsAnUpdateConflict) {
    db::Transaction t(a, db::Isolation::Snapshot);
    EXPECT_EQ(count(a), 2);
    {
        db::Transaction rival(b, db::Isolation::ReadCommitted);
        run(b, "update q set mark = 'B' where id = 1");
        rival.commit();
    }
    try {
        run(a, "update q set mark = 'X' where id = 1");
        FAIL() << "updated a row another transaction changed after the snapshot";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.updateConflict()) << e.what();
        EXPECT_NE(std::string(e.what()).find("update conflicts with concurrent update"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(a.inTransaction());  // the caller rolls back and retries
    t.rollback();
    EXPECT_EQ(count(a, "mark = 'B'"), 1);
}

TEST_F(Transactions, AResultOutlivingItsTransactionFailsCleanly) {
    db::Transaction t(a);
    db::Statement s(a, "select id from q order by id");
    db::Cursor r = s.open();
    ASSERT_TRUE(r.next());
    t.commit();
    EXPECT_THROW(while (r.next()){}, DatabaseError);
    EXPECT_EQ(count(a), 2);  // the connection goes on without a transaction
}

TEST_F(Transactions, StatementsNeedAnOpenConnection) {
    db::Connection unopened;
    EXPECT_FALSE(unopened.isOpen());
    EXPECT_FALSE(unopened.inTransaction());
    EXPECT_THROW(db::Statement(unopened, "select 1 from rdb$database"), DatabaseError);
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
    db::Statement s(c, "select mon$remote_protocol from mon$attachments where mon$attachment_id = current_connection");
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
