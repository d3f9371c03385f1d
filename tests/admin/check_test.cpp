// velmora-admin check against real databases: every way the service would
// fail that the check must name (a missing column, a right not granted, a
// wrong password, a server not there, a log the web server cannot write)
// gives its FAIL line and a non-zero exit; a database the service can use
// gives OK lines only.
#include "admin/admin_program.h"
#include "support/demo_script.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using admintest::runAdmin;
using admintest::writeIni;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<std::string> failures(const std::string& text) {
    std::vector<std::string> out;
    for (const std::string& line : lines(text))
        if (line.rfind("FAIL ", 0) == 0) out.push_back(line);
    return out;
}

class Check : public ::testing::Test {
protected:
    Check() {
        char pattern[] = "/tmp/velmora-admin-XXXXXX";
        directory = ::mkdtemp(pattern);
        ini = directory + "/caminhoBDIntegECF.ini";
    }
    ~Check() override { std::filesystem::remove_all(directory); }

    std::string directory, ini;
};

TEST_F(Check, TheDemoDatabaseAsSysdbaPassesEveryCheckAndTheLogIsCheckedForTheGivenUser) {
    testsupport::TestDatabase db(testsupport::demoScript("schema.sql"));
    const std::string logDirectory = directory + "/log";
    ::mkdir(logDirectory.c_str(), 0700);  // root's alone
    writeIni(ini, db.location(), "SYSDBA", "masterkey", "[LOG]\r\nARQUIVO=" + logDirectory + "/requests.log\r\n");

    const admintest::AdminRun ok = runAdmin({"check", "--as", "root", ini});
    EXPECT_EQ(ok.exitStatus, 0) << ok.output;
    EXPECT_TRUE(failures(ok.output).empty()) << ok.output;
    // The INI, the log, the attachment, 11 source tables, the queue, the
    // stock, the rights.
    EXPECT_EQ(lines(ok.output).size(), 17u) << ok.output;
    EXPECT_NE(ok.output.find("OK   table PRODUTO: 165 columns readable, its import's statement prepares"),
              std::string::npos)
        << ok.output;

    const admintest::AdminRun nobody = runAdmin({"check", "--as", "nobody", ini});
    EXPECT_EQ(nobody.exitStatus, 1);
    ASSERT_EQ(failures(nobody.output).size(), 1u) << nobody.output;
    EXPECT_EQ(
        failures(nobody.output)[0].rfind(
            "FAIL request log " + logDirectory + "/requests.log: nobody cannot append to it (Permission denied)", 0),
        0u)
        << nobody.output;
}

TEST_F(Check, AMissingColumnIsNamed) {
    testsupport::TestDatabase db(testsupport::demoScript("schema.sql"));
    db.execute("ALTER TABLE Produto DROP Descricao");
    writeIni(ini, db.location(), "SYSDBA", "masterkey");
    const admintest::AdminRun run = runAdmin({"check", "--as", "root", ini});
    EXPECT_EQ(run.exitStatus, 1);
    ASSERT_EQ(failures(run.output).size(), 1u) << run.output;
    EXPECT_EQ(failures(run.output)[0].rfind("FAIL column PRODUTO.DESCRICAO: missing. ", 0), 0u) << run.output;
}

// A user of its own, created on the server (embedded, the name alone is the
// identity), dropped again at the end.
class DatabaseUser {
public:
    DatabaseUser(const testsupport::TestDatabase& db, std::string name) : db_(db), name_(std::move(name)) {
        if (testsupport::firebirdServerPort()) db_.execute("CREATE USER " + name_ + " PASSWORD 'Outr0'");
    }
    ~DatabaseUser() {
        try {
            if (testsupport::firebirdServerPort()) db_.execute("DROP USER " + name_);
        } catch (...) {}
    }

private:
    const testsupport::TestDatabase& db_;
    std::string name_;
};

TEST_F(Check, AUserWithoutUpdateOnTheQueueFailsUntilUpdateOfAtualizouIsGranted) {
    testsupport::TestDatabase db(testsupport::demoScript("schema.sql"));
    const DatabaseUser user(db, "VELMORA_CHECK");
    for (const char* table : {"Produto", "Cliente", "Cadoper", "Cadusua", "Vendend", "Cdoperc", "Fornece", "Pedidoc",
                              "Pedidoi", "Docurec", "Movirec", "CompProd"})
        db.execute(std::string("GRANT SELECT ON ") + table + " TO VELMORA_CHECK");
    db.execute("GRANT SELECT, DELETE ON integecf TO VELMORA_CHECK");
    writeIni(ini, db.location(), "VELMORA_CHECK", "Outr0");

    const admintest::AdminRun without = runAdmin({"check", "--as", "root", ini});
    EXPECT_EQ(without.exitStatus, 1);
    ASSERT_EQ(failures(without.output).size(), 1u) << without.output;
    EXPECT_EQ(failures(without.output)[0],
              "FAIL rights of VELMORA_CHECK: no UPDATE on INTEGECF. As the tables' owner: GRANT UPDATE (atualizou) ON "
              "INTEGECF TO VELMORA_CHECK");

    db.execute("GRANT UPDATE (atualizou) ON integecf TO VELMORA_CHECK");
    const admintest::AdminRun with = runAdmin({"check", "--as", "root", ini});
    EXPECT_EQ(with.exitStatus, 0) << with.output;
}

TEST_F(Check, AWrongPasswordAndAnUnreachableServerFailTheAttachment) {
    writeIni(ini, "127.0.0.1/1:/nowhere.fdb", "SYSDBA", "masterkey");
    const admintest::AdminRun unreachable = runAdmin({"check", "--as", "root", ini});
    EXPECT_EQ(unreachable.exitStatus, 1);
    ASSERT_EQ(failures(unreachable.output).size(), 1u) << unreachable.output;
    EXPECT_NE(failures(unreachable.output)[0].find("Unable to complete network request"), std::string::npos);
    EXPECT_NE(failures(unreachable.output)[0].find("Start the Firebird server"), std::string::npos);

    // Only a server checks passwords.
    if (!testsupport::firebirdServerPort()) return;
    testsupport::TestDatabase db;
    writeIni(ini, db.location(), "SYSDBA", "not-the-password");
    const admintest::AdminRun wrong = runAdmin({"check", "--as", "root", ini});
    EXPECT_EQ(wrong.exitStatus, 1);
    ASSERT_EQ(failures(wrong.output).size(), 1u) << wrong.output;
    EXPECT_NE(failures(wrong.output)[0].find("Your user name and password are not defined"), std::string::npos);
    EXPECT_NE(failures(wrong.output)[0].find("Fix USUARIO and SENHA"), std::string::npos);
}

}  // namespace
