#include "core/MacType.h"

#include "core/TAll.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

struct Catalogue : ::testing::Test {
    Catalogue() { ModelDefaults(all, macList); }
    TALL all;
    TMacList macList;
};

TEST_F(Catalogue, HoldsTheRegisteredModelWithItsBands) {
    ASSERT_EQ(macList.Count(), 1);
    const TMacType* model = macList.Items(0);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Ident, "KQ57");
    EXPECT_EQ(model->Name, "ZORVA-520SX");
    EXPECT_EQ(model->ChannelCount, 128);
    EXPECT_EQ(model->BandMask, 0x3F);
    EXPECT_EQ(model->DefaultBandMask, 0x15);
    EXPECT_TRUE(model->ShowBandChoice);
    EXPECT_EQ(model->GetRange(1, true), std::make_pair(134.0, 176.0));
    EXPECT_EQ(model->GetRange(1, false), std::make_pair(136.0, 174.0));
    // Band 3 exists but its mask bits are clear: present, not usable.
    EXPECT_TRUE(model->IsBandPresent(3));
    EXPECT_EQ(model->GetLimits(3), std::make_pair(320.0, 400.0));
    EXPECT_EQ(model->BandMask & 0xC0, 0);
    EXPECT_EQ(model->GetEditable(2), std::make_pair(true, true));
    EXPECT_EQ(macList.Items(1), nullptr);
    EXPECT_EQ(macList.Items(-1), nullptr);

    std::vector<std::string> names{"stale"};
    macList.FillNames(names);
    EXPECT_EQ(names, std::vector<std::string>{"ZORVA-520SX"});
}

TEST_F(Catalogue, LookupsAreExactAndFindTheFirstOfDuplicates) {
    EXPECT_NE(macList.FindByIdent("KQ57"), nullptr);
    EXPECT_EQ(macList.FindByIdent("kq57"), nullptr);
    EXPECT_EQ(macList.FindByIdent(""), nullptr);
    EXPECT_EQ(macList.FindByIdent("KQ57 "), nullptr);
    EXPECT_NE(macList.FindByName("ZORVA-520SX"), nullptr);

    macList.Add(std::make_unique<TMacType>("KQ57", "Second", 64));
    EXPECT_EQ(macList.FindByIdent("KQ57")->Name, "ZORVA-520SX");
    EXPECT_EQ(macList.FindByName("Second")->ChannelCount, 64);
}

TEST_F(Catalogue, ModelDefaultsSetTheCommunicationAndFmDefaults) {
    EXPECT_EQ(all.ProductName, "ZORVA-520SX");
    EXPECT_EQ(all.OwnModelIdent, "KQ57");
    EXPECT_EQ(all.BaudRate, 4800);
    EXPECT_EQ(all.FmBandLow, 76.0);
    EXPECT_EQ(all.FmBandHigh, 107.0);
    EXPECT_TRUE(all.PowerTestAvailable);
    EXPECT_EQ(all.ManualFreqDefault, 0xAA);
}

TEST(MacType, SetDefaultsOverridesTheEditabilityOfSetLimits) {
    TMacType model("ABCD", "Test", 16);
    EXPECT_EQ(model.GetLimits(0), std::make_pair(0.0, 0.0));
    model.SetLimits(0, 10.0, 20.0);
    EXPECT_EQ(model.GetEditable(0), std::make_pair(true, true));
    model.SetDefaults(0, false, 12.0, 18.0, true, false);
    EXPECT_EQ(model.GetEditable(0), std::make_pair(false, true));
    EXPECT_FALSE(model.IsBandPresent(0));
}

} // namespace
} // namespace zorva
