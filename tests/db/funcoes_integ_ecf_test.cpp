// The connection routines: where the INI file is looked for, how it is read,
// and the exact messages a terminal receives when connecting fails.
#include "common/ini_file.h"
#include "common/limits.h"
#include "db/FuncoesIntegECF.h"
#include "support/executable_path_override.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "velmora-ini-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }

private:
    fs::path path_;
};

const std::string connectPrefix = "Impossível conectar ao banco de dados pelo seguinte motivo: \r";

TEST(IniRules, TheTimeLimitIsWholeSecondsWithADefault) {
    const TempDir dir;
    const auto timeLimit = [&](const std::string& line) {
        dir.write("t.ini", "[DATABASE]\r\nCAMINHO=/x.fdb\r\n" + line);
        return db::LeParametros((dir.path() / "t.ini").string()).timeLimit;
    };
    EXPECT_EQ(timeLimit(""), std::chrono::seconds(30));
    EXPECT_EQ(timeLimit("tempolimite = 7\r\n"), std::chrono::seconds(7));
    for (const char* wrong : {"0", "7s", "-1", "3601", "99999999999"})
        EXPECT_THROW(timeLimit("TEMPOLIMITE=" + std::string(wrong) + "\r\n"), velmora::Exception) << wrong;
}

TEST(CleanPath, DropsEverythingBeforeTheFirstLetter) {
    EXPECT_EQ(db::LimpaCaminho("\\\\server\\share\\"), "server\\share\\");
    EXPECT_EQ(db::LimpaCaminho("C:\\svc\\"), "C:\\svc\\");
    EXPECT_EQ(db::LimpaCaminho("12 ./éx/1"), "éx/1");  // an accented letter counts
    EXPECT_EQ(db::LimpaCaminho("/opt/x/"), "opt/x/");
    EXPECT_EQ(db::LimpaCaminho("123/._"), "");
}

TEST(ApplicationDirectory, StaysAbsoluteAndEndsWithOneSlash) {
    velmora::overrideExecutablePath({});
    const std::string dir = db::DiretorioAplicacao();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.front(), '/');
    EXPECT_EQ(dir.back(), '/');
    EXPECT_NE(dir.substr(dir.size() - 2), "//");
    EXPECT_TRUE(fs::exists(dir));
    velmora::overrideExecutablePath("/srv/velmora/velmora.cgi");
    EXPECT_EQ(db::DiretorioAplicacao(), "/srv/velmora/");
    velmora::overrideExecutablePath({});
}

TEST(ConectaBanco, MissingIniNamesTheFullFileName) {
    TempDir dir;
    velmora::overrideExecutablePath(dir.path().string() + "/velmora.cgi");
    try {
        db::ConectaBanco();
        FAIL() << "connected without an INI file";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), connectPrefix + "Arquivo ini não encontrado no local : " +
                                             dir.path().string() + "/caminhoBDIntegECF.ini");
    }
    // The failed connection is current but unopened.
    ASSERT_NE(db::Conexao, nullptr);
    EXPECT_FALSE(db::Conexao->isOpen());
    velmora::overrideExecutablePath({});
}

// Opening a FIFO without a writer would wait for one, and /dev/zero never
// ends: neither may hold a request.
TEST(ConectaBanco, AnIniThatIsNoRegularFileOrTooLargeIsRefusedUnread) {
    TempDir dir;
    velmora::overrideExecutablePath(dir.path().string() + "/velmora.cgi");
    const std::string ini = dir.path().string() + "/caminhoBDIntegECF.ini";
    const auto expectRefused = [&](const std::string& why) {
        try {
            db::ConectaBanco();
            ADD_FAILURE() << "connected";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), connectPrefix + "Arquivo ini " + why + " no local : " + ini);
        }
        fs::remove(ini);
    };
    ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
    expectRefused("não é um arquivo comum");
    fs::create_symlink("/dev/zero", ini);
    expectRefused("não é um arquivo comum");
    fs::create_directory(ini);
    expectRefused("não é um arquivo comum");

    const std::string largest = "[DATABASE]\r\n" + std::string(velmora::limits::kMaxIniFileBytes - 12, ';');
    dir.write("caminhoBDIntegECF.ini", largest);
    EXPECT_NO_THROW(velmora::IniFile::load(ini));
    dir.write("caminhoBDIntegECF.ini", largest + ";");
    expectRefused("maior que " + std::to_string(velmora::limits::kMaxIniFileBytes) + " bytes");
    velmora::overrideExecutablePath({});
}

TEST(ConectaBanco, UnreachableDatabaseWrapsTheClientMessage) {
    TempDir dir;
    dir.write("caminhoBDIntegECF.ini",
              "[DATABASE]\nCAMINHO=" + (dir.path() / "missing.fdb").string() + "\nUSUARIO=SYSDBA\n");
    velmora::overrideExecutablePath(dir.path().string() + "/velmora.cgi");
    try {
        db::ConectaBanco();
        FAIL() << "opened a missing database";
    } catch (const std::exception& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.substr(0, connectPrefix.size()), connectPrefix);
        EXPECT_GT(message.size(), connectPrefix.size());  // the client's own words follow
    }
    velmora::overrideExecutablePath({});
}

}  // namespace
