// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ini_manager.h"

#include <gtest/gtest.h>

#include "test_support.h"

using namespace kestra;
using kestra::test::readFile;
using kestra::test::TempDir;
using kestra::test::writeFile;

TEST(IniManager, ReadsLikeTheProfileFunctions)
{
    TempDir dir;
    const auto file = dir / "KesSet.ini";
    writeFile(file,
              "\xEF\xBB\xBF[percorsi]\r\n"
              "  OPENSAVE =  /home/u/Doc/  \r\n"
              "Quoted=\"/a b/\"\r\n"
              "Empty=\r\n"
              "Blank=   \r\n"
              "; comment=1\r\n"
              "[Parametri]\r\n"
              "BkAutoSave=1\r\n");
    IniManager ini("  " + file.string() + "  ", " Percorsi ");
    EXPECT_EQ(ini.fileName(), file.string());
    EXPECT_EQ(ini.applicationKey(), "Percorsi");

    EXPECT_EQ(ini.getValue("OpenSave", "0"), "/home/u/Doc/");
    EXPECT_EQ(ini.getValue("quoted", "0"), "/a b/");
    EXPECT_EQ(ini.getValue("Backup", "0"), "0") << "absent key gives the default";
    EXPECT_EQ(ini.getValue("BkAutoSave", "x"), "x") << "keys of another section are not seen";

    for (const char* key : {"Empty", "Blank", "Missing"}) {
        try {
            ini.getValue(key, "");
            ADD_FAILURE() << key << " should raise";
        } catch (const IniError& e) {
            EXPECT_EQ(e.number(), 1025);
            EXPECT_EQ(e.source(), "Ini Manager Class");
            EXPECT_EQ(std::string(e.what()), std::string("Errore nella lettura della chiave ") + key);
        }
    }
    EXPECT_THROW(ini.getValue("Empty", "0"), IniError) << "a present empty key wins over the default";

    IniManager other(file.string(), "PARAMETRI");
    EXPECT_EQ(other.getValue("bkautosave", "0"), "1");
    IniManager missing((dir / "none.ini").string(), "Percorsi");
    EXPECT_EQ(missing.getValue("OpenSave", "0"), "0");
}

TEST(IniManager, DropsControlCharactersFromValues)
{
    TempDir dir;
    const auto file = dir / "a.ini";
    writeFile(file,
              "[S]\nK=ab\tc\x01"
              "d\n");
    EXPECT_EQ(IniManager(file.string(), "S").getValue("K", "0"), "abcd");
}

TEST(IniManager, WritesKeysSectionsAndFile)
{
    TempDir dir;
    const auto file = dir / "new.ini";
    IniManager percorsi(file.string(), "Percorsi");
    ASSERT_TRUE(percorsi.setValue("OpenSave", "/d/Doc/"));
    EXPECT_EQ(readFile(file), "[Percorsi]\nOpenSave=/d/Doc/\n");

    IniManager parametri(file.string(), "Parametri");
    ASSERT_TRUE(parametri.setValue("BkAutoSave", "1"));
    ASSERT_TRUE(percorsi.setValue("Backup", "/d/Backup/"));
    ASSERT_TRUE(percorsi.setValue("opensave", "/e/"));  // matches whatever the case, keeps the spelling
    EXPECT_EQ(readFile(file), "[Percorsi]\nOpenSave=/e/\nBackup=/d/Backup/\n[Parametri]\nBkAutoSave=1\n");
    EXPECT_EQ(percorsi.getValue("OPENSAVE", "0"), "/e/");
}

TEST(IniManager, KeepsLineEndingsAndOtherLines)
{
    TempDir dir;
    const auto file = dir / "w.ini";
    writeFile(file, "[Percorsi]\r\nOpenSave=0\r\n\r\n[Parametri]\r\nBkAutoSave=0\r\nOther=x\r\n");
    ASSERT_TRUE(IniManager(file.string(), "Percorsi").setValue("Backup", "/b/"));
    ASSERT_TRUE(IniManager(file.string(), "Parametri").setValue("BkAutoSave", "1"));
    EXPECT_EQ(readFile(file),
              "[Percorsi]\r\nOpenSave=0\r\nBackup=/b/\r\n\r\n[Parametri]\r\nBkAutoSave=1\r\nOther=x\r\n");
}

TEST(IniManager, SetValueFailsWhenTheFolderIsMissing)
{
    TempDir dir;
    IniManager ini((dir / "no" / "such.ini").string(), "S");
    EXPECT_FALSE(ini.setValue("K", "v"));
}
