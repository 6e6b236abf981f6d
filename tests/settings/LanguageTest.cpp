#include "settings/Language.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace zorva {
namespace {

using test::TempDir;

TEST(LanguageTest, MissingFileGivesEveryDefault) {
    TempDir dir;
    TLanguage language;
    language.ComError = "stale";
    language.FileWriteError = "stale";
    LoadLanguage(language, dir.File("English.Ini"));
    EXPECT_EQ(language.ComError, "Please check all connections and communication port settings.");
    EXPECT_EQ(language.Info, " Information");
    EXPECT_EQ(language.FileWriteError, "The file cannot be saved.");
}

TEST(LanguageTest, PartialFileWithOddCaseKeysAndLiteralValues) {
    TempDir dir;
    dir.Write("Custom.Ini", "[fMainFrm]\n"
                            "WriteOk=not a message\n"
                            "[LANGUAGE]\n"
                            "comerror = Check the cable, then the port.\n"
                            "FILEEXISTS=Replace it; really?|sure\n"
                            "ReadOk=\n"
                            "PortError=Port busy\n"
                            "fileshort=Too short\n");
    TLanguage language;
    LoadLanguage(language, dir.File("Custom.Ini"));
    EXPECT_EQ(language.ComError, "Check the cable, then the port.");
    EXPECT_EQ(language.FileExists, "Replace it; really?|sure");
    EXPECT_EQ(language.ReadOk, "");
    EXPECT_EQ(language.PortError, "Port busy");
    EXPECT_EQ(language.FileShort, "Too short");
    EXPECT_EQ(language.WriteOk, "Writing Completed.");
    EXPECT_EQ(language.Confirmation, "Confirmation");
}

TEST(LanguageTest, ReadsGb18030AndUtf8WithBom) {
    TempDir dir;
    dir.Write("Chinese.Ini", "[Language]\r\nConfirmation=\xD6\xD0\xCE\xC4\r\nOpen=OK\r\n");
    TLanguage language;
    LoadLanguage(language, dir.File("Chinese.Ini"));
    EXPECT_EQ(language.Confirmation, "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(language.Open, "OK");

    dir.Write("Utf8.Ini", "\xEF\xBB\xBF[Language]\nCaution=\xE4\xB8\xAD\n");
    LoadLanguage(language, dir.File("Utf8.Ini"));
    EXPECT_EQ(language.Caution, "\xE4\xB8\xAD");
    EXPECT_EQ(language.Confirmation, "Confirmation");
}

TEST(LanguageTest, ReloadDropsTextsOfThePreviousLanguage) {
    TempDir dir;
    dir.Write("A.Ini", "[Language]\nComError=A error\nReadOk=A read\n");
    dir.Write("B.Ini", "[Language]\nReadOk=B read\n");
    TLanguage language;
    LoadLanguage(language, dir.File("A.Ini"));
    ASSERT_EQ(language.ComError, "A error");
    LoadLanguage(language, dir.File("B.Ini"));
    EXPECT_EQ(language.ReadOk, "B read");
    EXPECT_EQ(language.ComError, "Please check all connections and communication port settings.");
}

TEST(LanguageTest, FilePathFallsBackToAnotherLetterCase) {
    TempDir dir;
    EXPECT_EQ(LanguageFilePath(dir.Path(), "Chinese"), dir.File("Chinese.Ini"));
    dir.Write("chinese.INI", "");
    EXPECT_EQ(LanguageFilePath(dir.Path(), "Chinese"), dir.File("chinese.INI"));
    dir.Write("Chinese.Ini", "");
    EXPECT_EQ(LanguageFilePath(dir.Path(), "Chinese"), dir.File("Chinese.Ini"));
    EXPECT_EQ(LanguageFilePath(dir.File("absent/"), "English"), dir.File("absent/English.Ini"));
}

} // namespace
} // namespace zorva
