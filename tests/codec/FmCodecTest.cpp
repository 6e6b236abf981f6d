#include "codec/FmCodec.h"

#include "TestSupport.h"
#include "codec/Numbers.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

struct FmSlots : ::testing::Test {
    FmSlots() : db(test::MakeStartedDb()), all(db->All) {}
    uint16_t Slot(int k) const { return all.U16At(kFmSlots + 2 * (k - 1)); }
    void SetScanRange(uint16_t low, uint16_t high) {
        all.PutU16At(kFmScanLow, low);
        all.PutU16At(kFmScanHigh, high);
    }
    std::unique_ptr<Maindb> db;
    TALL& all;
};

TEST_F(FmSlots, WriterClampsToTheBandAndTheScanRange) {
    EXPECT_EQ(all.U16At(kFmScanLow), 3520); // a new image scans 88.0 to 108.0 MHz
    SetScanRange(2800, 4560);
    EXPECT_EQ(WriteFmChannel(all, 1, "120"), "107.00000");
    EXPECT_EQ(Slot(1), 4280);
    SetScanRange(3520, 4000);
    EXPECT_EQ(WriteFmChannel(all, 1, "120"), "100.00000");
    EXPECT_EQ(Slot(1), 4000);
    EXPECT_EQ(WriteFmChannel(all, 2, "60"), "88.00000");
    EXPECT_EQ(Slot(2), 3520);
    EXPECT_EQ(WriteFmChannel(all, 3, "95.01"), "95.00000"); // 25 kHz units
    EXPECT_TRUE(all.IsSlotClear(kFmBitmap, 3));
}

TEST_F(FmSlots, EmptyTextClearsAnOrdinarySlotButNotTheCurrentFrequency) {
    WriteFmChannel(all, 5, "100");
    EXPECT_EQ(WriteFmChannel(all, 5, ""), "");
    EXPECT_FALSE(all.IsSlotClear(kFmBitmap, 5));
    EXPECT_EQ(Slot(5), 4000); // the value stays behind the empty mark
    EXPECT_EQ(ReadFmChannel(all, 5), -1.0);

    const uint8_t bitmapBefore = all.Image[kFmBitmap + 3];
    EXPECT_EQ(WriteFmChannel(all, kFmCurrentSlot, ""), "88.00000");
    EXPECT_EQ(all.Image[kFmBitmap + 3], bitmapBefore);
}

TEST_F(FmSlots, TextThatIsNoNumberLeavesTheSlotAsItWas) {
    const auto before = all.Image;
    EXPECT_THROW(WriteFmChannel(all, 4, "1.2.3"), ConversionError);
    EXPECT_EQ(all.Image, before); // not marked in use without a value
}

TEST_F(FmSlots, ReaderShowsWhatIsStoredAndNeverWritesTheImage) {
    // A new image scans 88.0 to 108.0 MHz; FmBandHigh is 107.0.
    struct Row {
        int slot;
        uint16_t stored;
        double shown;
    };
    const Row rows[] = {
        {7, 4316, 107.9},      // above FmBandHigh, inside the scan range
        {7, 0xFFFF, 1638.375}, // outside the scan range
        {7, 2000, 50.0},       // below it
        {7, 3900, 97.5},
        {kFmCurrentSlot, 4316, 107.9}, // always in use, whatever the bitmap says
        {kFmCurrentSlot, 0xFFFF, 1638.375},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        if (row.slot != kFmCurrentSlot) all.SetSlotClear(kFmBitmap, row.slot, true);
        all.PutU16At(kFmSlots + 2 * (row.slot - 1), row.stored);
        const auto before = all.Image;
        EXPECT_DOUBLE_EQ(ReadFmChannel(all, row.slot), row.shown);
        EXPECT_EQ(all.Image, before);
    }
}

TEST_F(FmSlots, ScanBoundsAreClampedAndCutDownToWholeUnits) {
    // FmBandLow and FmBandHigh are 76.0 and 107.0 after start-up.
    EXPECT_EQ(WriteFmScanBound(all, false, 90.0249, 107.0), 3600); // truncated, not rounded
    EXPECT_EQ(all.U16At(kFmScanLow), 3600);
    EXPECT_EQ(WriteFmScanBound(all, false, 70.0, 107.0), 3520);  // below the band: 88.0
    EXPECT_EQ(WriteFmScanBound(all, false, 101.0, 100.0), 4000); // not above the upper bound
    EXPECT_EQ(WriteFmScanBound(all, true, 120.0, 88.0), 4320);   // above the band: 108.0
    EXPECT_EQ(all.U16At(kFmScanHigh), 4320);
    EXPECT_EQ(WriteFmScanBound(all, true, 80.0, 90.0), 3600); // not below the lower bound
    EXPECT_EQ(WriteFmScanBound(all, true, 104.975, 88.0), 4199);
    EXPECT_EQ(all.U16At(kFmScanLow), 4000); // each call sets its own bound only
}

TEST(FmBoundText, ShowsTwoIntegerDigitsAndThreeDecimals) {
    EXPECT_EQ(FmBoundText(76.0), "76.000");
    EXPECT_EQ(FmBoundText(107.0), "107.000");
    EXPECT_EQ(FmBoundText(8.5), "08.500");
    EXPECT_EQ(FmBoundText(104.975), "104.975");
}

} // namespace
} // namespace zorva
