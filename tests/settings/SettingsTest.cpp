#include "settings/Settings.h"

#include "TestSupport.h"
#include "core/TAll.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zorva {
namespace {

using test::TempDir;

TALL StartState() {
    TALL all;
    all.LanguageSelectable = true;
    return all;
}

TEST(SettingsTest, WithoutAFileStartsWithDefaultsAndCreatesIt) {
    TempDir dir;
    TALL all = StartState();
    ReadSettings(all, dir.File(kSettingsFileName));
    EXPECT_EQ(all.PortName, "Com1");
    EXPECT_EQ(all.LanguageId, 0);
    EXPECT_EQ(all.LanguageName, "English");
    EXPECT_EQ(all.SnStart, "");
    EXPECT_EQ(all.SnIndex, 0);
    EXPECT_EQ(all.SnNumS, 1);

    std::string error;
    ASSERT_TRUE(WriteSettings(all, dir.File(kSettingsFileName), error)) << error;
    EXPECT_EQ(dir.Read(kSettingsFileName), "[SysInfo]\n"
                                           "Com=Com1\n"
                                           "Language_ID=0\n"
                                           "SN_Start=\n"
                                           "SN_Index=0\n"
                                           "SN_NumS=1\n"
                                           "VerifyAfterWrite=0\n"
                                           "HideEmptyChannels=0\n"
                                           "HiddenColumns=\n");
}

TEST(SettingsTest, LanguageChoiceFallsBackToEnglishWhenUnusable) {
    const struct {
        const char* name;
        const char* lines;
        int id;
        const char* language;
    } rows[] = {
        {"second of the default list", "Language_ID=1\n", 1, "Chinese"},
        {"third of three", "Language_ID=2\nLanguage_SW=English|Chinese|Deutsch\n", 2, "Deutsch"},
        {"sign accepted", "Language_ID=+1\n", 1, "Chinese"},
        {"single entry", "Language_ID=1\nLanguage_SW=English\n", 0, "English"},
        {"single other entry", "Language_ID=0\nLanguage_SW=Chinese\n", 0, "English"},
        {"not a number", "Language_ID=one\n", 0, "English"},
        {"trailing garbage", "Language_ID=1x\n", 0, "English"},
        {"beyond the list", "Language_ID=5\n", 0, "English"},
        {"negative", "Language_ID=-1\n", 0, "English"},
        {"empty entry", "Language_ID=1\nLanguage_SW=English|\n", 0, "English"},
        {"entry with a path", "Language_ID=1\nLanguage_SW=English|../../etc/x\n", 0, "English"},
        {"entry with a backslash", "Language_ID=1\nLanguage_SW=English|..\\x\n", 0, "English"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        dir.Write(kSettingsFileName, std::string("[SysInfo]\n") + row.lines);
        TALL all = StartState();
        ReadSettings(all, dir.File(kSettingsFileName));
        EXPECT_EQ(all.LanguageId, row.id) << row.name;
        EXPECT_EQ(all.LanguageName, row.language) << row.name;
    }
}

TEST(SettingsTest, LanguageIdIgnoredWhenLanguageIsNotSelectable) {
    TempDir dir;
    dir.Write(kSettingsFileName, "[SysInfo]\nLanguage_ID=1\nLanguage_SW=Chinese|English\n");
    TALL all;
    all.LanguageSelectable = false;
    ReadSettings(all, dir.File(kSettingsFileName));
    EXPECT_EQ(all.LanguageId, 0);
    EXPECT_EQ(all.LanguageName, "Chinese");
}

TEST(SettingsTest, SerialNumberValuesAndTheirFallbacks) {
    const struct {
        const char* lines;
        int index;
        int count;
    } rows[] = {
        {"SN_Index=-7\nSN_NumS=3\n", -7, 3},
        {"SN_Index=x\nSN_NumS=y\n", 0, 1},
        {"SN_Index=\nSN_NumS=\n", 0, 1},
        {"SN_Index=99999999999\nSN_NumS=0\n", 0, 1},
    };
    for (const auto& row : rows) {
        TempDir dir;
        dir.Write(kSettingsFileName, std::string("[SysInfo]\n") + row.lines);
        TALL all = StartState();
        ReadSettings(all, dir.File(kSettingsFileName));
        EXPECT_EQ(all.SnIndex, row.index) << row.lines;
        EXPECT_EQ(all.SnNumS, row.count) << row.lines;
    }

    TempDir dir;
    dir.Write(kSettingsFileName, "[SysInfo]\nSN_NumS=0\n");
    TALL all = StartState();
    ReadSettings(all, dir.File(kSettingsFileName));
    std::string error;
    ASSERT_TRUE(WriteSettings(all, dir.File(kSettingsFileName), error)) << error;
    EXPECT_NE(dir.Read(kSettingsFileName).find("SN_NumS=1\n"), std::string::npos);
}

TEST(SettingsTest, VerifyAfterWriteIsOnOnlyForOne) {
    for (const auto& [lines, on] : {std::pair{"", false}, std::pair{"VerifyAfterWrite=1\n", true},
                                    std::pair{"VerifyAfterWrite=yes\n", false}}) {
        TempDir dir;
        dir.Write(kSettingsFileName, std::string("[SysInfo]\n") + lines);
        TALL all = StartState();
        ReadSettings(all, dir.File(kSettingsFileName));
        EXPECT_EQ(all.VerifyAfterWrite, on) << lines;
    }
}

// What the channel table shows survives a restart; a column that is no number is shown.
TEST(SettingsTest, TheTablesViewChoicesRoundTrip) {
    TempDir dir;
    TALL all = StartState();
    all.HideEmptyChannels = true;
    all.HiddenFields = {13, 17};
    std::string error;
    ASSERT_TRUE(WriteSettings(all, dir.File(kSettingsFileName), error)) << error;
    TALL back = StartState();
    ReadSettings(back, dir.File(kSettingsFileName));
    EXPECT_TRUE(back.HideEmptyChannels);
    EXPECT_EQ(back.HiddenFields, (std::vector<int>{13, 17}));

    dir.Write(kSettingsFileName, "[SysInfo]\nHideEmptyChannels=yes\nHiddenColumns=x|12\n");
    ReadSettings(back, dir.File(kSettingsFileName));
    EXPECT_FALSE(back.HideEmptyChannels);
    EXPECT_EQ(back.HiddenFields, (std::vector<int>{12}));
}

TEST(SettingsTest, RoundTripUpdatesInPlaceAndKeepsForeignKeys) {
    TempDir dir;
    dir.Write(kSettingsFileName, "; written by hand\r\n"
                                 "[sysinfo]\r\n"
                                 "com = Com2\r\n"
                                 "Language_ID=1\r\n"
                                 "Language_SW=English|Chinese\r\n"
                                 "English=English|Chinese\r\n"
                                 "\r\n"
                                 "[Ports]\r\n"
                                 "COM3=/dev/ttyUSB0\r\n");
    TALL all = StartState();
    ReadSettings(all, dir.File(kSettingsFileName));
    EXPECT_EQ(all.PortName, "Com2");
    all.PortName = "COM3";
    all.SnStart = "ZV-0001";
    std::string error;
    ASSERT_TRUE(WriteSettings(all, dir.File(kSettingsFileName), error)) << error;
    EXPECT_EQ(dir.Read(kSettingsFileName), "; written by hand\r\n"
                                           "[sysinfo]\r\n"
                                           "com=COM3\r\n"
                                           "Language_ID=1\r\n"
                                           "Language_SW=English|Chinese\r\n"
                                           "English=English|Chinese\r\n"
                                           "SN_Start=ZV-0001\r\n"
                                           "SN_Index=0\r\n"
                                           "SN_NumS=1\r\n"
                                           "VerifyAfterWrite=0\r\n"
                                           "HideEmptyChannels=0\r\n"
                                           "HiddenColumns=\r\n"
                                           "\r\n"
                                           "[Ports]\r\n"
                                           "COM3=/dev/ttyUSB0\r\n");
}

TEST(SettingsTest, AGb18030FileIsDecodedAndUpdatedInItsOwnEncoding) {
    // 英文|中文, 编号 and 中文注释 in GB18030 and in UTF-8.
    const std::string gbNames = "\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4";
    const std::string gbSerial = "\xB1\xE0\xBA\xC5";
    const std::string gbNote = "\xD6\xD0\xCE\xC4\xD7\xA2\xCA\xCD";
    const std::string names = "英文|中文";
    const std::string serial = "编号";
    const std::string note = "中文注释";
    struct Row {
        const char* name;
        std::string names, serial, note;
    };
    for (const Row& row :
         {Row{"GB18030", gbNames, gbSerial, gbNote}, Row{"UTF-8", names, serial, note}}) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string head = "; " + row.note +
                                 "\r\n[SysInfo]\r\nLanguage=English|Chinese\r\n"
                                 "Language_SW=English|Chinese\r\nChinese=" +
                                 row.names +
                                 "\r\nLanguage_ID=1\r\nCom=COM2\r\nSN_Start=" + row.serial + "\r\n";
        dir.Write(kSettingsFileName, head + "Note=" + row.note + "\r\n");
        TALL all = StartState();
        ReadSettings(all, dir.File(kSettingsFileName));
        EXPECT_EQ(all.LanguageName, "Chinese");
        EXPECT_EQ(all.SnStart, serial);
        std::vector<std::string> displayNames, fileNames;
        ReadLanguageLists(all, dir.File(kSettingsFileName), displayNames, fileNames);
        EXPECT_EQ(displayNames, (std::vector<std::string>{"英文", "中文"}));

        all.PortName = "COM5";
        all.SnStart = serial + "2";
        std::string error;
        ASSERT_TRUE(WriteSettings(all, dir.File(kSettingsFileName), error)) << error;
        std::string expected = head;
        expected.replace(expected.find("COM2"), 4, "COM5");
        expected.replace(expected.find("SN_Start=") + 9, row.serial.size(), row.serial + "2");
        expected += "Note=" + row.note +
                    "\r\nSN_Index=0\r\nSN_NumS=1\r\nVerifyAfterWrite=0\r\n"
                    "HideEmptyChannels=0\r\nHiddenColumns=\r\n";
        EXPECT_EQ(dir.Read(kSettingsFileName), expected);
    }
}

TEST(SettingsTest, AGb18030FileThatWouldReadAsUtf8AfterTheWriteBecomesUtf8Whole) {
    // The serial number 中 made the file GB18030; "\xC3\xA9" is 茅 there but é in UTF-8, so
    // once 中 is replaced the note would change meaning unless the file is converted.
    TempDir dir;
    dir.Write(kSettingsFileName, "[SysInfo]\r\nSN_Start=\xD6\xD0\r\nNote=\xC3\xA9\r\n");
    TALL all = StartState();
    ReadSettings(all, dir.File(kSettingsFileName));
    ASSERT_EQ(all.SnStart, "中");
    all.SnStart = "A1";
    std::string error;
    ASSERT_TRUE(WriteSettings(all, dir.File(kSettingsFileName), error)) << error;
    const std::string written = dir.Read(kSettingsFileName);
    EXPECT_NE(written.find("SN_Start=A1\r\nNote=茅\r\n"), std::string::npos) << written;
    TALL again = StartState();
    ReadSettings(again, dir.File(kSettingsFileName));
    EXPECT_EQ(again.SnStart, "A1");
}

TEST(SettingsTest, WriteFailsWithAReasonInsteadOfClobbering) {
    TempDir dir;
    TALL all = StartState();
    ReadSettings(all, dir.File(kSettingsFileName));
    std::string error;
    EXPECT_FALSE(WriteSettings(all, dir.File("absent/SysInfo.Ini"), error));
    EXPECT_FALSE(error.empty());

    std::filesystem::create_directory(dir.File(kSettingsFileName));
    error.clear();
    EXPECT_FALSE(WriteSettings(all, dir.File(kSettingsFileName), error));
    EXPECT_FALSE(error.empty());
}

TEST(SettingsTest, LanguageListsComeFromTheNameKeyAndTheCurrentLanguageKey) {
    TempDir dir;
    std::vector<std::string> display{"kept"};
    std::vector<std::string> names;
    TALL all = StartState();
    all.LanguageName = "Chinese";
    ReadLanguageLists(all, dir.File(kSettingsFileName), display, names);
    EXPECT_EQ(display, (std::vector<std::string>{"kept", "English", "Chinese"}));
    EXPECT_EQ(names, (std::vector<std::string>{"English", "Chinese"}));

    dir.Write(kSettingsFileName, "[SysInfo]\n"
                                 "Language=English|Chinese|Deutsch\n"
                                 "English=English|Chinese|German\n"
                                 "CHINESE=Englisch, UK|Chinesisch|Deutsch\n");
    display.clear();
    names.clear();
    ReadLanguageLists(all, dir.File(kSettingsFileName), display, names);
    EXPECT_EQ(names, (std::vector<std::string>{"English", "Chinese", "Deutsch"}));
    EXPECT_EQ(display, (std::vector<std::string>{"Englisch, UK", "Chinesisch", "Deutsch"}));
}

} // namespace
} // namespace zorva

namespace zorva {
namespace {

TEST(SettingsTest, RecentFilesGoOnTopOnceAndTheNewestSixAreKept) {
    using List = std::vector<std::string>;
    const struct {
        List before;
        const char* added;
        List after;
    } rows[] = {
        {{}, "/a", {"/a"}},
        {{"/a", "/b", "/c"}, "/c", {"/c", "/a", "/b"}},
        {{"/a", "/b"}, "/a", {"/a", "/b"}},
        {{"/1", "/2", "/3", "/4", "/5", "/6"}, "/7", {"/7", "/1", "/2", "/3", "/4", "/5"}},
        {{"/1", "/2", "/3", "/4", "/5", "/6"}, "/6", {"/6", "/1", "/2", "/3", "/4", "/5"}},
    };
    for (const auto& row : rows) {
        List recent = row.before;
        AddRecentFile(recent, row.added);
        EXPECT_EQ(recent, row.after) << row.added;
    }
}

TEST(SettingsTest, RecentFilesRoundTripAndShrinkWithoutTouchingOtherKeys) {
    TempDir dir;
    const std::string file = dir.File(kSettingsFileName);
    dir.Write(kSettingsFileName, "[Recent]\nFile1=/x/one.dat\nFile2=\nFile3=/x/one.dat\n"
                                 "File4=/x/two 2.dat\nFile9=/x/kept.dat\n");
    TALL all = StartState();
    ReadSettings(all, file);
    // Gaps and repeats are dropped; the first (newest) place wins.
    EXPECT_EQ(all.RecentFiles, (std::vector<std::string>{"/x/one.dat", "/x/two 2.dat"}));

    all.RecentFiles = {"/y/新.dat", "/x/one.dat", std::string("/x/\xB2\xE2.dat")};
    std::string error;
    ASSERT_TRUE(WriteSettings(all, file, error)) << error;
    TALL again = StartState();
    ReadSettings(again, file);
    // A path that is not UTF-8 is not kept: it would turn the file's encoding.
    EXPECT_EQ(again.RecentFiles, (std::vector<std::string>{"/y/新.dat", "/x/one.dat"}));
    EXPECT_EQ(again.LanguageName, "English");
    const std::string content = dir.Read(kSettingsFileName);
    EXPECT_NE(content.find("File3=\n"), std::string::npos) << content;
    EXPECT_NE(content.find("File9=/x/kept.dat"), std::string::npos) << content;
}

} // namespace
} // namespace zorva
