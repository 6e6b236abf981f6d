#include "core/Maindb.h"

#include "TestSupport.h"
#include "codec/Numbers.h"
#include "core/InstallationId.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(StartUp, WithoutSettingsOrLanguageFilesTheDefaultsHold) {
    test::TempDir dir;
    Maindb db;
    DataModuleCreate(db, dir.Path());
    const TALL& all = db.All;
    EXPECT_EQ(all.ExeDir, dir.Path());
    EXPECT_EQ(all.PortName, "Com1");
    EXPECT_EQ(all.LanguageName, "English");
    EXPECT_EQ(all.LanguageId, 0);
    EXPECT_EQ(all.BaudRate, 4800);
    EXPECT_EQ(all.FmBandLow, 76.0);
    EXPECT_EQ(all.FmBandHigh, 107.0);
    EXPECT_EQ(all.CurrentChannel, 1);
    EXPECT_TRUE(all.LanguageSelectable);
    EXPECT_TRUE(all.DtmfDecodeVisible);
    EXPECT_TRUE(all.PowerTestAvailable);
    EXPECT_EQ(all.ManualFreqDefault, 0xAA);
    EXPECT_EQ(all.SnNumS, 1);
    EXPECT_EQ(db.MacList.Count(), 1);
    EXPECT_EQ(db.Language.PortError, "Cannot open the communication port.");
    EXPECT_GE(all.InstallationId.size(), 15u);
    for (char ch : all.InstallationId)
        EXPECT_TRUE(ch > 0x20 && ch < 0x7F);
    EXPECT_EQ(ComputeInstallationId(all.ExeDir), all.InstallationId); // stable
}

TEST(StartUp, SettingsAndLanguageFilesAreRead) {
    test::TempDir dir;
    dir.Write("SysInfo.Ini", "[SysInfo]\nCom=com3\nLanguage_ID=1\nLanguage_SW=English|Chinese\n");
    dir.Write("Chinese.Ini", "[Language]\nModError=Wrong model here\n");
    Maindb db;
    DataModuleCreate(db, dir.Path());
    EXPECT_EQ(db.All.PortName, "com3");
    EXPECT_EQ(db.All.LanguageName, "Chinese");
    EXPECT_EQ(db.Language.ModError, "Wrong model here");
    EXPECT_EQ(db.Language.ReadOk, "Reading Completed.");
}

TEST(StartUp, FirstShowingLeavesANewUnmodifiedImageOfTheRegisteredModel) {
    auto db = test::MakeStartedDb();
    const TALL& all = db->All;
    EXPECT_EQ(all.ImageModelIdent, "KQ57");
    EXPECT_EQ(all.ChannelCount, 128);
    EXPECT_EQ(all.ManualFreqFlag, 0xAA);
    EXPECT_FALSE(all.Modified);
    for (int n = 1; n <= 128; ++n)
        EXPECT_FALSE(all.IsSlotClear(kChannelBitmap, n));
    EXPECT_EQ(FormatFreq(145.5), "145.50000");
    EXPECT_EQ(ParseNumber("145.50000"), 145.5);
}

TEST(StartUp, TheProcessWideObjectsAreOneSet) {
    EXPECT_EQ(&All(), &TheMaindb().All);
    EXPECT_EQ(&MacList(), &TheMaindb().MacList);
    EXPECT_EQ(&Channel(), &TheMaindb().Channel);
    EXPECT_EQ(&Language(), &TheMaindb().Language);
}

} // namespace
} // namespace zorva
