// The power test's list of 10 MHz sub-ranges and the calibration rows they name.
#include "link/PowerRanges.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zorva {
namespace {

std::vector<std::string> Texts(const std::vector<PowerSubRange>& ranges) {
    std::vector<std::string> texts;
    for (const PowerSubRange& range : ranges)
        texts.push_back(range.text);
    return texts;
}

TEST(PowerRanges, StartUpBandsGiveTheirSubRangesInBandOrderOneTwoThreeZero) {
    const auto db = test::MakeStartedDb();
    const std::vector<PowerSubRange> ranges = PowerSubRanges(db->All);
    EXPECT_EQ(Texts(ranges),
              (std::vector<std::string>{
                  "136.000 -- 140.000MHz", "140.000 -- 150.000MHz", "150.000 -- 160.000MHz",
                  "160.000 -- 170.000MHz", "170.000 -- 174.000MHz", "220.000 -- 230.000MHz",
                  "230.000 -- 240.000MHz", "240.000 -- 250.000MHz", "250.000 -- 260.000MHz",
                  "400.000 -- 410.000MHz", "410.000 -- 420.000MHz", "420.000 -- 430.000MHz",
                  "430.000 -- 440.000MHz", "440.000 -- 450.000MHz", "450.000 -- 460.000MHz",
                  "460.000 -- 470.000MHz", "470.000 -- 480.000MHz", "480.000 -- 490.000MHz",
                  "490.000 -- 500.000MHz", "500.000 -- 510.000MHz", "510.000 -- 520.000MHz"}));
    std::vector<int> numbers;
    for (const PowerSubRange& range : ranges)
        numbers.push_back(range.number);
    EXPECT_EQ(numbers, (std::vector<int>{13, 14, 15, 16, 17, 22, 23, 24, 25, 40, 41,
                                         42, 43, 44, 45, 46, 47, 48, 49, 50, 51}));
}

TEST(PowerRanges, BandThreeInUseComesBeforeBandZero) {
    const auto ranges = PowerSubRanges({400.0, 136.0, 0.0, 350.0}, {410.0, 140.0, 0.0, 400.0});
    EXPECT_EQ(Texts(ranges),
              (std::vector<std::string>{"136.000 -- 140.000MHz", "350.000 -- 360.000MHz",
                                        "360.000 -- 370.000MHz", "370.000 -- 380.000MHz",
                                        "380.000 -- 390.000MHz", "390.000 -- 400.000MHz",
                                        "400.000 -- 410.000MHz"}));
    EXPECT_EQ(ranges[1].number, 35);
}

// Edges that double arithmetic gets wrong (145.9999999 floors to 140) and edges off the
// 10 MHz raster, whose pieces must meet without a gap.
TEST(PowerRanges, EdgesOffTheRasterAndInexactDoublesCutCleanly) {
    const auto ranges = PowerSubRanges({0.0, 144.0125, 0.0, 0.0}, {0.0, 160.00000000001, 0.0, 0.0});
    EXPECT_EQ(Texts(ranges),
              (std::vector<std::string>{"144.013 -- 150.000MHz", "150.000 -- 160.000MHz"}));

    const auto exact = PowerSubRanges({0.0, 149.99999999999, 0.0, 0.0}, {0.0, 150.1, 0.0, 0.0});
    EXPECT_EQ(Texts(exact), (std::vector<std::string>{"150.000 -- 150.100MHz"}));
}

// A number with no row in the 65-row table (or no number at all) would read and write
// beyond the table: such sub-ranges are not offered.
TEST(PowerRanges, SubRangesWithoutATableRowAreLeftOut) {
    const auto ranges = PowerSubRanges({0.0, 5.0, 640.0, 0.0}, {0.0, 12.0, 660.0, 0.0});
    EXPECT_EQ(Texts(ranges),
              (std::vector<std::string>{"10.000 -- 12.000MHz", "640.000 -- 650.000MHz"}));
    EXPECT_EQ(ranges[0].number, 10);
    EXPECT_EQ(ranges[1].number, 64);

    EXPECT_TRUE(PowerSubRanges({0.0, 0.0, 0.0, 0.0}, {0.0, 0.0, 0.0, 0.0}).empty());
    EXPECT_TRUE(PowerSubRanges({0.0, 174.0, 0.0, 0.0}, {0.0, 136.0, 0.0, 0.0}).empty());
    // A band with one edge only is not in use.
    EXPECT_TRUE(PowerSubRanges({136.0, 0.0, 0.0, 0.0}, {0.0, 174.0, 0.0, 0.0}).empty());
}

} // namespace
} // namespace zorva
