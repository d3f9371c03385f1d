// The engine's Unicode collations come from the ICU library it loads at run
// time. The private root puts placeholders for the ICU names this machine
// lacks first on the loader's path (scripts/lib/firebird-root.sh); one that
// hid the installed ICU would break every such collation, and this test.
#include "db/connection.h"
#include "db/statement.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(UnicodeCollation, ComparesAndOrdersAsItsNameSays) {
    testsupport::TestDatabase database;
    db::Connection connection;
    connection.open(database.params());
    db::Transaction reading(connection, db::Isolation::ReadOnly);
    db::Statement s(reading,
                    "select n from (select 'B' n from rdb$database union all select 'a' from rdb$database "
                    "union all select 'c' from rdb$database) "
                    "where cast(n as varchar(1) character set utf8) collate unicode_ci <> 'C' "
                    "order by cast(n as varchar(1) character set utf8) collate unicode_ci");
    std::vector<std::string> names;
    db::Cursor r = s.open();
    while (r.next()) names.push_back(r.text(0));
    // Byte order would give B, a, c.
    EXPECT_EQ(names, (std::vector<std::string>{"a", "B"}));
}

}  // namespace
