// The INI reader: sections and keys without regard to letter case, blanks
// around "=" dropped, comments skipped, values converted from Windows-1252;
// and the watched INI of a persistent process.
#include "common/ini_file.h"
#include "common/watched_ini.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

TEST(IniRules, SectionAndKeysIgnoreCaseAndBlanksAroundTheEqualsSign) {
    const auto ini =
        velmora::IniFile::parse("; comment\r\n\r\n  [ database ]  \r\ncaminho = /srv/x.fdb \r\nUsuario=sysdba\r\n");
    EXPECT_EQ(ini.readString("DATABASE", "CAMINHO"), "/srv/x.fdb");
    EXPECT_EQ(ini.readString("DATABASE", "USUARIO"), "sysdba");
    EXPECT_EQ(ini.readString("DATABASE", "SENHA"), "");
    EXPECT_EQ(ini.readString("OTHER", "CAMINHO"), "");
}

TEST(IniRules, ValueIsSplitAtTheFirstEqualsSignAndConvertedFromWindows1252) {
    const auto ini = velmora::IniFile::parse("[DATABASE]\nSENHA=a=b\nCAMINHO=/dados/s\xe3o.fdb\n;CAMINHO=/ignored\n");
    EXPECT_EQ(ini.readString("DATABASE", "SENHA"), "a=b");
    EXPECT_EQ(ini.readString("DATABASE", "CAMINHO"), "/dados/são.fdb");
}

TEST(IniRules, KeysOfTheSameNameInAnotherSectionAreNotRead) {
    const auto ini = velmora::IniFile::parse("[OTHER]\nCAMINHO=/wrong\n[DATABASE]\nUSUARIO=u\n");
    EXPECT_EQ(ini.readString("DATABASE", "CAMINHO"), "");
}

// What a persistent process relies on: the file read again when it changed
// (even to the same size), kept while it did not, gone when it is.
TEST(WatchedIni, ReadAgainOnlyWhenTheFileChanged) {
    std::string directory = (std::filesystem::temp_directory_path() / "velmora-watched-XXXXXX").string();
    ASSERT_NE(::mkdtemp(directory.data()), nullptr);
    const std::string name = directory + "/w.ini";
    const auto write = [&](const char* text) { std::ofstream(name, std::ios::binary) << text; };
    const auto caminho = [&](velmora::WatchedIni& ini) {
        const velmora::IniFile* now = ini.current(name);
        return now ? now->readString("DATABASE", "CAMINHO") : "(none)";
    };
    velmora::WatchedIni ini;
    write("[DATABASE]\nCAMINHO=/a.fdb\n");
    EXPECT_EQ(caminho(ini), "/a.fdb");
    struct stat read;
    ASSERT_EQ(::stat(name.c_str(), &read), 0);

    // The same size and, put back, the same time: taken for unchanged.
    write("[DATABASE]\nCAMINHO=/b.fdb\n");
    const timespec times[2] = {read.st_atim, read.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, name.c_str(), times, 0), 0);
    EXPECT_EQ(caminho(ini), "/a.fdb");
    const timespec later[2] = {{0, UTIME_OMIT}, {read.st_mtim.tv_sec + 1, read.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, name.c_str(), later, 0), 0);
    EXPECT_EQ(caminho(ini), "/b.fdb");

    std::filesystem::remove(name);
    EXPECT_EQ(caminho(ini), "(none)");
    write("[DATABASE]\nCAMINHO=/c.fdb\n");
    EXPECT_EQ(caminho(ini), "/c.fdb");
    std::filesystem::remove_all(directory);
}
