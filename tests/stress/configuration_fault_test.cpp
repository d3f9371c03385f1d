// The INI beside the program is missing, unreadable or names no database:
// every operation answers the connection fault and the queue stays as it was.
#include "stress/expectations.h"
#include "stress/stress_database.h"

#include <sys/stat.h>
#include <filesystem>

namespace stress {
namespace {

class ConfigurationFaults : public ::testing::Test {
protected:
    void SetUp() override {
        database.fill(queueTable("CADOPER"), "1", "E001", 3, "op");
        database.run("update integecf set atualizou = 'X' where chave0 = 'op0000001'");
        program.writeIni(database.location());
    }

    // Queue rows in total and marked: an import would mark all three, an
    // acknowledgement would delete the marked one.
    void expectQueueUntouched() {
        EXPECT_EQ(database.countQueue("1 = 1"), 3);
        EXPECT_EQ(database.countQueue("atualizou = 'X'"), 1);
    }

    // An import and an acknowledgement of the rows above.
    void expectEveryCallRefused(const std::string& faultPrefix) {
        EXPECT_TRUE(faultStartingWith(program.importa("ImportaOperadores", "1", "E001", "Codoper"), faultPrefix));
        EXPECT_TRUE(faultStartingWith(program.deleta("1", "E001", "CADOPER"), faultPrefix));
        expectQueueUntouched();
    }

    StressDatabase database;
    CgiProgram program;
};

TEST_F(ConfigurationFaults, AMissingIniNamesTheFileItLookedForAndTheNextCallWorksOnceItIsBack) {
    program.removeIni();
    // The whole message: nothing may follow the file's name.
    expectEveryCallRefused(kConnectFault + "Arquivo ini não encontrado no local : " + program.iniPath());
    EXPECT_EQ(program.importa("ImportaOperadores", "1", "E001", "Codoper").answer.faultString,
              kConnectFault + "Arquivo ini não encontrado no local : " + program.iniPath());

    program.writeIni(database.location());
    const CgiCall again = program.importa("ImportaOperadores", "1", "E001", "Codoper");
    ASSERT_TRUE(succeeded(again));
    EXPECT_EQ(again.answer.values.size(), 3u);
}

TEST_F(ConfigurationFaults, AnIniNamingAMissingDatabaseCreatesNothingThere) {
    const std::string missing = program.directory() + "/no-such.fdb";
    program.writeIni(missing);
    expectEveryCallRefused(kConnectFault);
    EXPECT_FALSE(std::filesystem::exists(missing)) << "connecting created the database file";
}

TEST_F(ConfigurationFaults, AnUnreadableIniIsAConnectionFault) {
    // Root reads any file whatever its mode: run the program as the web
    // server's user then, with the group that shares the Firebird lock files.
    if (::geteuid() == 0) {
        if (!std::filesystem::exists("/usr/bin/setpriv")) GTEST_SKIP() << "running as root without setpriv";
        program.runAs("www-data", "firebird");
    }
    // The same user reads the database when the INI is readable, so what
    // fails below is the INI alone.
    ASSERT_TRUE(succeeded(program.call("BuscaEstoque", {{"PCodEmp", "1"}, {"PCodProd", "x"}, {"PGrade", "0"}})));

    ::chmod(program.iniPath().c_str(), 0);
    expectEveryCallRefused(kConnectFault);
    ::chmod(program.iniPath().c_str(), 0644);
    EXPECT_TRUE(succeeded(program.importa("ImportaOperadores", "1", "E001", "Codoper")));
}

}  // namespace
}  // namespace stress
