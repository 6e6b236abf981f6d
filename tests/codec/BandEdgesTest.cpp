#include "codec/BandEdges.h"

#include "core/MacType.h"
#include "core/TAll.h"

#include <gtest/gtest.h>
#include <utility>

namespace zorva {
namespace {

// The second band of the registered model: limits 134 to 176 MHz.
constexpr double kLo = 134.0;
constexpr double kHi = 176.0;

std::pair<double, double> AfterLower(double low, double high) {
    LowerEdgeChanged(low, high, kLo, kHi);
    return {low, high};
}

std::pair<double, double> AfterUpper(double low, double high) {
    UpperEdgeChanged(low, high, kLo, kHi);
    return {low, high};
}

using Edges = std::pair<double, double>;

TEST(BandEdgesTest, SnapsToTheNearestTwoAndAHalfKilohertzHalvesUp) {
    EXPECT_EQ(SnapBandEdge(145.0037), 145.0025);
    EXPECT_EQ(SnapBandEdge(145.0038), 145.005);
    EXPECT_EQ(SnapBandEdge(145.00125), 145.0025); // exactly half way
    EXPECT_EQ(SnapBandEdge(145.00124), 145.0);
    EXPECT_EQ(SnapBandEdge(145.0), 145.0);
    // A sum that is not exact in binary still lands on the grid point it means.
    EXPECT_EQ(SnapBandEdge(145.0 + 0.0025 * 3), 145.0075);
}

TEST(BandEdgesTest, LowerEdgeIsKeptInsideTheLimitsAndBelowTheUpperEdge) {
    EXPECT_EQ(AfterLower(130.0, 174.0), Edges(134.0, 174.0));
    EXPECT_EQ(AfterLower(0.0, 174.0), Edges(134.0, 174.0));
    EXPECT_EQ(AfterLower(200.0, 176.0), Edges(176.0, 176.0));
    // Above the upper edge but inside the limits: the lower edge comes down to it.
    EXPECT_EQ(AfterLower(170.0, 150.0), Edges(150.0, 150.0));
    // An upper edge that is not given takes the lower one.
    EXPECT_EQ(AfterLower(150.0, 0.0), Edges(150.0, 150.0));
    EXPECT_EQ(AfterLower(145.0037, 174.0), Edges(145.0025, 174.0));
    EXPECT_EQ(AfterLower(145.0038, 174.0), Edges(145.005, 174.0));
}

TEST(BandEdgesTest, UpperEdgeIsKeptInsideTheLimitsAndAboveTheLowerEdge) {
    EXPECT_EQ(AfterUpper(136.0, 180.0), Edges(136.0, 176.0));
    EXPECT_EQ(AfterUpper(136.0, 0.0), Edges(136.0, 176.0));
    EXPECT_EQ(AfterUpper(136.0, 100.0), Edges(136.0, 136.0));
    EXPECT_EQ(AfterUpper(150.0, 140.0), Edges(150.0, 150.0));
    // A lower edge that is not given takes the upper one.
    EXPECT_EQ(AfterUpper(0.0, 150.0), Edges(150.0, 150.0));
    EXPECT_EQ(AfterUpper(136.0, 145.0038), Edges(136.0, 145.005));
}

TEST(BandEdgesTest, SnappingNeverTurnsTheEdgesRoundAnOffGridEdge) {
    // The image may hold an edge off the grid: 145.004 rounds up past it, so the lower edge
    // goes to the grid point below instead.
    EXPECT_EQ(AfterLower(146.0, 145.004), Edges(145.0025, 145.004));
    EXPECT_EQ(AfterUpper(145.001, 140.0), Edges(145.001, 145.0025));
    // Off-grid edges that stay apart snap as usual.
    EXPECT_EQ(AfterLower(145.004, 150.0), Edges(145.005, 150.0));
}

TEST(BandEdgesTest, ImageEdgesAndFlags) {
    TALL all;
    all.PutU32At(0x1208, 13600000);
    all.PutU32At(0x120C, 0x80000000u | 17400000u); // bit 31 is not part of the value
    EXPECT_EQ(ImageBandEdge(all, 1, false), 136.0);
    EXPECT_EQ(ImageBandEdge(all, 1, true), 174.0);
    // Band 4's lower edge, least significant byte first: 35000000 = 0x02160EC0.
    all.Image[0x1218] = 0xC0;
    all.Image[0x1219] = 0x0E;
    all.Image[0x121A] = 0x16;
    all.Image[0x121B] = 0x02;
    EXPECT_EQ(ImageBandEdge(all, 3, false), 350.0);

    EXPECT_TRUE(BandFlagSet(0x02, 0)); // either bit of a band counts
    EXPECT_TRUE(BandFlagSet(0x08, 1));
    EXPECT_FALSE(BandFlagSet(0x33, 3));
    EXPECT_EQ(BandFlagBit(3), 0x40);
}

class TakeBandChoiceTest : public testing::Test {
protected:
    TakeBandChoiceTest() {
        all.BandMask = 0x15;
        all.BandLow = {400.0, 136.0, 220.0, 350.0};
        all.BandHigh = {520.0, 174.0, 260.0, 400.0};
        all.ImageModelIdent = "OLD1";
        model.BandMask = 0x3F;
        choice.low = {410.0, 140.0, 230.0, 330.0};
        choice.high = {500.0, 170.0, 250.0, 390.0};
    }

    TALL all;
    TMacType model{"KQ57", "ZORVA-520SX", 128};
    BandChoice choice;
};

TEST_F(TakeBandChoiceTest, BandsOneAndThree) {
    choice.used = {true, false, true, false};
    ASSERT_TRUE(TakeBandChoice(all, model, choice));
    EXPECT_EQ(all.BandMask, 0x11);
    EXPECT_EQ(all.BandLow, (std::array<double, 4>{410.0, 0.0, 230.0, 0.0}));
    EXPECT_EQ(all.BandHigh, (std::array<double, 4>{500.0, 0.0, 250.0, 0.0}));
    EXPECT_EQ(all.ImageModelIdent, "KQ57");
}

TEST_F(TakeBandChoiceTest, ABandTheModelCannotUseIsLeftOut) {
    choice.used = {true, true, true, true};
    ASSERT_TRUE(TakeBandChoice(all, model, choice));
    EXPECT_EQ(all.BandMask, 0x15);
    EXPECT_EQ(all.BandLow[3], 0.0);
    EXPECT_EQ(all.BandHigh[3], 0.0);
}

TEST_F(TakeBandChoiceTest, NothingUsableChangesNothing) {
    for (const std::array<bool, 4> used :
         {std::array<bool, 4>{}, std::array<bool, 4>{false, false, false, true}}) {
        choice.used = used;
        EXPECT_FALSE(TakeBandChoice(all, model, choice));
        EXPECT_EQ(all.BandMask, 0x15);
        EXPECT_EQ(all.BandLow, (std::array<double, 4>{400.0, 136.0, 220.0, 350.0}));
        EXPECT_EQ(all.ImageModelIdent, "OLD1");
    }
}

// A band goes back to its limits only when the model's default bands are all its bands.
TEST(BandEdgesTest, InitialRangeIsTheLimitsOnlyWhenEveryBandIsADefault) {
    TMacType model{"KQ57", "ZORVA-520SX", 128};
    model.SetLimits(1, 136.0, 174.0);
    model.SetDefaults(1, true, 144.0, 146.0, true, true);
    const struct {
        uint8_t defaults;
        double low, high;
    } rows[] = {{0x3F, 136.0, 174.0}, {0x04, 144.0, 146.0}};
    for (const auto& row : rows) {
        model.SetBandMasks(0x3F, row.defaults, false);
        EXPECT_EQ(InitialBandRange(model, 1), std::pair(row.low, row.high)) << int(row.defaults);
    }
}

} // namespace
} // namespace zorva
