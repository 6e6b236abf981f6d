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
    Raster raster;
    double out;
    Raster used;
};

TEST(Raster, SnappingInEveryMode) {
    using enum Raster;
    const SnapCase cases[] = {
        {145.50310, Nearer, 145.50300, Step500Hz},
        {145.50625, Nearer, 145.50625, Step1250Hz},
        {145.50060, Nearer, 145.50050, Step500Hz},
        {145.50025, Step500Hz, 145.50050, Step500Hz},
        {145.50020, Step500Hz, 145.50000, Step500Hz},
        {145.50060, Step1250Hz, 145.50000, Step1250Hz},
        {145.50070, Step1250Hz, 145.50125, Step1250Hz},
        {145.00124, Step2500Hz, 145.00000, Step2500Hz},
        {145.00125, Step2500Hz, 145.00250, Step2500Hz},
        {145.50000, Nearer, 145.50000, Step1250Hz},
        {145.50050, Nearer, 145.50050, Step500Hz},
        {145.50100, Nearer, 145.50100, Step500Hz},
        {145.50130, Nearer, 145.50125, Step1250Hz},
    };
    for (const auto& c : cases) {
        double mhz = c.in;
        Raster raster = c.raster;
        const int64_t units = SnapToRaster(mhz, raster);
        EXPECT_EQ(FormatFreq(mhz), FormatFreq(c.out)) << c.in << " raster " << int(c.raster);
        EXPECT_EQ(units, MhzToUnits(c.out)) << c.in;
        EXPECT_EQ(raster, c.used) << c.in << " raster " << int(c.raster);
    }
}

TEST(Raster, ModeFollowsTheStepAndClassFollowsTheValue) {
    using enum Raster;
    TALL all;
    const Raster expected[] = {Step500Hz, Step500Hz, Step1250Hz, Step500Hz, Nearer,
                               Nearer,    Nearer,    Nearer,     Nearer,    Nearer};
    for (int step = 0; step < 10; ++step) {
        all.Setting(9) = static_cast<uint8_t>(0x10 | step);
        EXPECT_EQ(RasterMode(all), expected[step]) << step;
    }
    EXPECT_EQ(RasterClass(0.0), Nearer);
    EXPECT_EQ(RasterClass(0.00125), Step1250Hz);
    EXPECT_EQ(RasterClass(0.0005), Step500Hz);
    EXPECT_EQ(RasterClass(0.00001), Nearer);
    EXPECT_EQ(RasterClass(0.0025), Nearer);
}

TEST(BandRanges, ABandNeedsBothEdgesAndHoldsThemInTenHertzUnits) {
    TALL all;
    // Band 0 has a low edge only, band 2 a high edge only: neither is in use.
    all.BandLow = {136.0, 400.0, 0.0, 144.000004};
    all.BandHigh = {0.0, 480.0, 174.0, 146.0};
    struct Row {
        double mhz;
        int band; // BandHolding
    } rows[] = {
        {150.0, -1},     {136.0, -1},     {400.0, 1}, {480.0, 1},
        {480.00001, -1}, {399.99999, -1}, {144.0, 3}, // 144.000004 is 144.00000 in units
        {145.0, 3},      {kNoFreq, -1},   {0.0, -1},  {174.0, -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BandHolding(all, row.mhz), row.band) << row.mhz;
        EXPECT_EQ(InBandInUse(all, row.mhz), row.band >= 0) << row.mhz;
    }
    EXPECT_FALSE(BandInUse(all, 0));
    EXPECT_FALSE(BandInUse(all, 2));
    EXPECT_FALSE(InBand(all, 0, 136.0));
    EXPECT_TRUE(InBand(all, 1, 400.0));
    EXPECT_FALSE(InBand(all, 4, 400.0)); // no such band
    EXPECT_FALSE(InBand(all, -1, 400.0));
    // A refused value becomes the low edge of the first band in use, not of a half-given one.
    double value = 600.0;
    EXPECT_TRUE(FreqRangeCheck(all, "", value));
    EXPECT_EQ(value, 400.0);
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
