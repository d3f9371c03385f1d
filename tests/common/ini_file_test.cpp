// The INI reader: sections and keys without regard to letter case, blanks
// around "=" dropped, comments skipped, values converted from Windows-1252.
#include "common/ini_file.h"

#include <gtest/gtest.h>

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
