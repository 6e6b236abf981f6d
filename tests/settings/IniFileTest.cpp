#include "settings/IniFile.h"

#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zorva {
namespace {

using test::TempDir;

TEST(IniFileTest, ReadsWithProfileSemantics) {
    const std::string longValue(10000, 'x');
    IniFile ini;
    ini.Parse("\xEF\xBB\xBF"
              "Orphan=before any section\r\n"
              "[ sysinfo ]\r\n"
              "  COM =\tCom3 \r\n"
              "; Language_ID=5\r\n"
              "Msg=The file exists. Replace it?\r\n"
              "List=English|Chinese;x\r\n"
              "Empty=\r\n"
              "Long=" +
              longValue +
              "\r\n"
              "com=Com9\r\n"
              "[Other]\r\n"
              "Lone=1\r\n"
              "[SYSINFO]\r\n"
              "Extra=2");

    EXPECT_EQ(ini.Read("SysInfo", "com", "?"), "Com3"); // trimmed; first of duplicates
    EXPECT_EQ(ini.Read("SysInfo", "Language_ID", "0"), "0");
    EXPECT_EQ(ini.Read("SysInfo", "MSG", ""), "The file exists. Replace it?");
    EXPECT_EQ(ini.Read("SysInfo", "List", ""), "English|Chinese;x");
    EXPECT_EQ(ini.Read("SysInfo", "Empty", "default"), "");
    EXPECT_EQ(ini.Read("SysInfo", "Long", ""), longValue);
    EXPECT_TRUE(ini.HasKey("SYSINFO", "long"));
    // Keys of other sections, of a later duplicate section or outside any section stay apart.
    EXPECT_EQ(ini.Read("SysInfo", "Lone", "no"), "no");
    EXPECT_EQ(ini.Read("SysInfo", "Extra", "no"), "no");
    EXPECT_EQ(ini.Read("SysInfo", "Orphan", "no"), "no");
    EXPECT_EQ(ini.Read("Missing", "Com", "Com1"), "Com1");
    EXPECT_FALSE(ini.HasKey("Other", "Com"));
}

TEST(IniFileTest, WriteUpdatesInPlaceAndKeepsTheRest) {
    IniFile ini;
    ini.Parse("; settings\r\n"
              "[SysInfo]\r\n"
              "com=Com1\r\n"
              "Language_ID=0\r\n"
              "\r\n"
              "; ports below\r\n"
              "[Ports]\r\n"
              "COM1=/dev/ttyUSB0\r\n");
    ini.Write("SYSINFO", "Com", "COM3, the cable");
    ini.Write("SysInfo", "SN_Start", "A1");
    ini.Write("Ports", "COM2", "/dev/pts/4");
    ini.Write("New", "Key", "v");
    EXPECT_EQ(ini.Content(), "; settings\r\n"
                             "[SysInfo]\r\n"
                             "com=COM3, the cable\r\n"
                             "Language_ID=0\r\n"
                             "SN_Start=A1\r\n"
                             "\r\n"
                             "; ports below\r\n"
                             "[Ports]\r\n"
                             "COM1=/dev/ttyUSB0\r\n"
                             "COM2=/dev/pts/4\r\n"
                             "[New]\r\n"
                             "Key=v\r\n");
}

TEST(IniFileTest, WrittenLineBreaksCannotAddKeys) {
    IniFile ini;
    ini.Write("SysInfo", "SN_Start", "A\r\nLanguage_ID=7");
    EXPECT_FALSE(ini.HasKey("SysInfo", "Language_ID"));
    EXPECT_EQ(ini.Read("SysInfo", "SN_Start", ""), "A  Language_ID=7");
}

TEST(IniFileTest, SaveReplacesTheFileAndLoadReadsIt) {
    TempDir dir;
    dir.Write("a.ini", "[S]\nK=old\n");
    IniFile ini;
    ASSERT_TRUE(ini.Load(dir.File("a.ini")));
    ini.Write("S", "K", "new");
    std::string error;
    ASSERT_TRUE(ini.Save(dir.File("a.ini"), error)) << error;
    EXPECT_EQ(dir.Read("a.ini"), "[S]\nK=new\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    IniFile missing;
    EXPECT_FALSE(missing.Load(dir.File("none.ini")));
    EXPECT_EQ(missing.Read("S", "K", "def"), "def");
}

TEST(IniFileTest, FailedSaveReportsAReasonAndKeepsTheOldFile) {
    TempDir dir;
    IniFile ini;
    ini.Write("S", "K", "v");
    std::string error;
    EXPECT_FALSE(ini.Save(dir.File("absent/a.ini"), error));
    EXPECT_FALSE(error.empty());

    // The target is a folder: nothing is replaced and no temporary file is left behind.
    std::filesystem::create_directory(dir.File("taken.ini"));
    error.clear();
    EXPECT_FALSE(ini.Save(dir.File("taken.ini"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    std::filesystem::create_directory(dir.File("ro"));
    dir.Write("ro/a.ini", "[S]\nK=old\n");
    ::chmod(dir.File("ro").c_str(), 0555);
    error.clear();
    EXPECT_FALSE(ini.Save(dir.File("ro/a.ini"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dir.Read("ro/a.ini"), "[S]\nK=old\n");
}

} // namespace
} // namespace zorva

namespace zorva {
namespace {

TEST(IniLineEnds, CrLfAndCrlfAllEndALineAndSurviveAnUpdate) {
    struct Row {
        const char* name;
        std::string content;
    };
    const Row rows[] = {
        {"lone CR before CRLF", "[SysInfo]\r\nCom=COM3\r\r\nLanguage_ID=1\r\n"},
        {"CR only", "[SysInfo]\rCom=COM3\rLanguage_ID=1\r"},
        {"mixed", "[SysInfo]\nCom=COM3\r\rLanguage_ID=1\r\n"},
        {"CR before LF, no last end", "[SysInfo]\r\nCom=COM3\r\nLanguage_ID=1\r"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        IniFile ini;
        ini.Parse(row.content);
        EXPECT_EQ(ini.Read("SysInfo", "Com", "?"), "COM3");
        EXPECT_EQ(ini.Read("SysInfo", "Language_ID", "?"), "1");
        ini.Write("SysInfo", "Language_ID", "0");
        ini.Write("SysInfo", "SN_Index", "7");
        IniFile again;
        again.Parse(ini.Content());
        EXPECT_EQ(again.Read("SysInfo", "Com", "?"), "COM3");
        EXPECT_EQ(again.Read("SysInfo", "Language_ID", "?"), "0");
        EXPECT_EQ(again.Read("SysInfo", "SN_Index", "?"), "7");
        EXPECT_EQ(again.Content(), ini.Content());
    }
    // A CR-only file stays one: its lines are not joined by a different line end.
    IniFile crOnly;
    crOnly.Parse("[S]\rA=1\r");
    crOnly.Write("S", "B", "2");
    EXPECT_EQ(crOnly.Content(), "[S]\rA=1\rB=2\r");
}

TEST(IniQuotes, QuotedValuesKeepTheirBlanksAndRoundTrip) {
    IniFile ini;
    ini.Parse("[S]\nA=\" Information\"\nB='x'\nC=\"half\nD=\"\"\n");
    EXPECT_EQ(ini.Read("S", "A", ""), " Information");
    EXPECT_EQ(ini.Read("S", "B", ""), "x");
    EXPECT_EQ(ini.Read("S", "C", ""), "\"half"); // unmatched quotes are plain characters
    EXPECT_EQ(ini.Read("S", "D", "default"), "");
    for (const std::string value : {"Port: ", " lead", "\"quoted\"", "plain, with; | marks"}) {
        ini.Write("S", "E", value);
        EXPECT_EQ(ini.Read("S", "E", ""), value);
    }
}

} // namespace
} // namespace zorva
