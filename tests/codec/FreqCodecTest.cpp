#include "codec/FreqCodec.h"

#include "TestSupport.h"
#include "codec/Numbers.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(FreqText, ParseStripsMHzAndKnowsEmpty) {
    EXPECT_EQ(ParseFreqText("145.5"), 145.5);
    EXPECT_EQ(ParseFreqText("145.5MHz"), 145.5);
    EXPECT_EQ(ParseFreqText("145.5 MHz and more"), 145.5);
    EXPECT_EQ(ParseFreqText(""), kNoFreq);
    EXPECT_EQ(ParseFreqText("MHz"), kNoFreq);
    EXPECT_THROW(ParseFreqText("1.2.3"), ConversionError);
    EXPECT_THROW(ParseFreqText("145.5mhz"), ConversionError); // case-sensitive
}

struct SnapCase {
    double in;
    int mode;
    double out;
    int modeOut;
};

TEST(Raster, SnappingInEveryMode) {
    const SnapCase cases[] = {
        {145.50310, 2, 145.50300, 0}, {145.50625, 2, 145.50625, 1}, {145.50060, 2, 145.50050, 0},
        {145.50025, 0, 145.50050, 0}, {145.50020, 0, 145.50000, 0}, {145.50060, 1, 145.50000, 1},
        {145.50070, 1, 145.50125, 1}, {145.00124, 4, 145.00000, 4}, {145.00125, 4, 145.00250, 4},
        {145.50000, 2, 145.50000, 1}, {145.50050, 2, 145.50050, 0}, {145.50100, 2, 145.50100, 0},
        {145.50130, 2, 145.50125, 1},
    };
    for (const auto& c : cases) {
        double mhz = c.in;
        int mode = c.mode;
        const int64_t units = SnapToRaster(mhz, mode);
        EXPECT_EQ(FormatFreq(mhz), FormatFreq(c.out)) << c.in << " mode " << c.mode;
        EXPECT_EQ(units, MhzToUnits(c.out)) << c.in;
        EXPECT_EQ(mode, c.modeOut) << c.in << " mode " << c.mode;
    }
}

TEST(Raster, ModeFollowsTheStepAndClassFollowsTheValue) {
    TALL all;
    const int expected[] = {0, 0, 1, 0, 2, 2, 2, 2, 2, 2};
    for (int step = 0; step < 10; ++step) {
        all.Setting(9) = static_cast<uint8_t>(0x10 | step);
        EXPECT_EQ(RasterMode(all), expected[step]) << step;
    }
    EXPECT_EQ(RasterClass(0.0), 2);
    EXPECT_EQ(RasterClass(0.00125), 1);
    EXPECT_EQ(RasterClass(0.0005), 0);
    EXPECT_EQ(RasterClass(0.00001), 2);
    EXPECT_EQ(RasterClass(0.0025), 2);
}

TEST(BandRanges, RangeCheckRefusesAndReplacesByTheFirstBand) {
    auto db = test::MakeStartedDb();
    const TALL& all = db->All;
    double value = 600.0;
    EXPECT_TRUE(FreqRangeCheck(all, "", value));
    EXPECT_EQ(value, 400.0);
    value = 0.0;
    EXPECT_TRUE(FreqRangeCheck(all, "", value));
    EXPECT_EQ(value, 400.0);
    value = 5.0;
    EXPECT_TRUE(FreqRangeCheck(all, "1.2.3", value));
    EXPECT_EQ(value, 400.0);
    EXPECT_TRUE(FreqRangeCheck(all, "300", value));
    EXPECT_EQ(value, 400.0);
    EXPECT_FALSE(FreqRangeCheck(all, "174", value));
    EXPECT_EQ(value, 174.0);
    EXPECT_FALSE(FreqRangeCheck(all, "220", value));
    EXPECT_EQ(value, 220.0);
    value = 519.99;
    EXPECT_FALSE(FreqRangeCheck(all, "", value));
    EXPECT_EQ(value, 519.99);
}

TEST(BandRanges, RangeCheckWithoutBandsKeepsTheValue) {
    TALL all;
    double value = 145.0;
    EXPECT_TRUE(FreqRangeCheck(all, "", value));
    EXPECT_EQ(value, 145.0);
}

TEST(BandRanges, NearestEdgePrefersEarlierBandsOnTies) {
    auto db = test::MakeStartedDb();
    const TALL& all = db->All;
    EXPECT_EQ(NearestBandEdge(all, false, -1.0), 136.0);
    EXPECT_EQ(NearestBandEdge(all, true, 300.0), 260.0);
    EXPECT_EQ(NearestBandEdge(all, false, 410.0), 400.0);
    EXPECT_EQ(NearestBandEdge(all, true, 180.0), 174.0);
    EXPECT_EQ(NearestBandEdge(all, false, 5000.0), 0.0); // 999 MHz or more never wins
    EXPECT_EQ(NearestBandEdge(TALL{}, true, 145.0), 0.0);
}

} // namespace
} // namespace zorva
