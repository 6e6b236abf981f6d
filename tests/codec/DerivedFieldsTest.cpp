#include "codec/DerivedFields.h"

#include "TestSupport.h"
#include "codec/Numbers.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

struct Derived : ::testing::Test {
    Derived() : db(test::MakeStartedDb()), all(db->All), macList(db->MacList) {}
    void StoreBand(int band, double low, double high) {
        all.PutU32At(kBandRanges + 8 * band, static_cast<uint32_t>(MhzToUnits(low)));
        all.PutU32At(kBandRanges + 8 * band + 4, static_cast<uint32_t>(MhzToUnits(high)));
    }
    std::unique_ptr<Maindb> db;
    TALL& all;
    TMacList& macList;
};

TEST_F(Derived, StartUpGivesTheDefaultBandsInStateAndImage) {
    EXPECT_EQ(all.BandSummary,
              "400.00000 - 520.00000/136.00000 - 174.00000/220.00000 - 260.00000MHz");
    EXPECT_EQ(all.BandMask, 0x15);
    EXPECT_EQ(all.Image[kBandMaskByte], 0x15);
    EXPECT_EQ(test::HexBytes(&all.Image[kModelBlock], 8), "50 4B 51 35 37 AA 15 00");
    EXPECT_EQ(all.U32At(kBandRanges), 40000000u);
    EXPECT_EQ(all.U32At(kBandRanges + 4), 52000000u);
    EXPECT_EQ(all.U32At(kBandRanges + 8), 13600000u);
    EXPECT_EQ(all.U32At(kBandRanges + 20), 26000000u);
    EXPECT_EQ(all.U32At(kBandRanges + 24), 0u); // band 3 not in use
    EXPECT_EQ(all.U32At(kBandRanges + 28), 0u);
    EXPECT_EQ(all.ChannelCount, 128);
    EXPECT_EQ(all.ModelName, "ZORVA-520SX");
    EXPECT_EQ(all.ModelBandMask, 0x3F);
    EXPECT_FALSE(all.Modified);
}

TEST_F(Derived, NewImageLayout) {
    for (int offset = 0; offset < 0x11B0; ++offset)
        if (offset < 0x108E || offset > 0x108F) {
            ASSERT_EQ(all.Image[offset], 0xFF) << offset;
        }
    EXPECT_EQ(all.U16At(0x108E), 3520); // the current FM frequency: the scan range's low end
    EXPECT_EQ(test::HexBytes(&all.Image[0x11B0], 16),
              "FF FF FF FF C0 0D E0 10 00 00 00 FF BD F2 F8 65");
    EXPECT_EQ(all.Setting(46), 0xFF);
    EXPECT_EQ(all.Image[0x1290], 0x00); // block 297 is not part of a new image
}

TEST_F(Derived, DerivingFallsBackToTheModelLimits) {
    all.Image[kBandMaskByte] = 0x02;
    DeriveBandRanges(all, macList);
    EXPECT_EQ(all.BandMask, 0x03);
    EXPECT_EQ(all.BandLow[0], 400.0);
    EXPECT_EQ(all.BandHigh[0], 520.0);
    EXPECT_EQ(all.BandLow[1], 0.0);
    EXPECT_EQ(all.BandSummary, "400.00000 - 520.00000MHz");

    all.Image[kBandMaskByte] = 0x00; // nothing usable: the model's whole mask
    DeriveBandRanges(all, macList);
    EXPECT_EQ(all.BandMask, 0x3F);
    EXPECT_EQ(all.BandLow[1], 134.0);
    EXPECT_EQ(all.BandHigh[2], 260.0);

    all.Image[kBandMaskByte] = 0xC0; // only band 3, which the model cannot use
    DeriveBandRanges(all, macList);
    EXPECT_EQ(all.BandMask, 0x3F);
}

TEST_F(Derived, StoredRangesAreSnappedAndCheckedAgainstTheLimits) {
    all.Image[kBandMaskByte] = 0x05;
    StoreBand(0, 410.0, 450.0);
    StoreBand(1, 145.001, 150.0);
    DeriveBandRanges(all, macList);
    EXPECT_EQ(all.BandLow[0], 410.0);
    EXPECT_EQ(all.BandLow[1], 145.0);
    EXPECT_EQ(all.BandMask, 0x05);

    StoreBand(0, 390.0, 450.0); // below the limit 400
    StoreBand(1, 160.0, 150.0); // inverted
    DeriveBandRanges(all, macList);
    EXPECT_EQ(all.BandLow[0], 400.0);
    EXPECT_EQ(all.BandHigh[1], 176.0);
    EXPECT_EQ(all.BandMask, 0x0F);
}

TEST_F(Derived, AfterReadKeepsOnlyTheLowBitsOfTheMask) {
    all.Image[kBandMaskByte] = 0x01;
    StoreBand(0, 390.0, 450.0);
    AfterReadSequence(all, macList, "KQ57");
    EXPECT_EQ(all.BandMask, 0x01);
    EXPECT_EQ(all.Image[kBandMaskByte], 0x01);
    EXPECT_EQ(all.U32At(kBandRanges), 40000000u);
    EXPECT_EQ(all.U32At(kBandRanges + 4), 52000000u);
    EXPECT_TRUE(all.Modified);
}

TEST_F(Derived, SanitiserResetsFieldsOutOfRange) {
    all.Setting(9) = 0x19;
    all.Setting(7) = 0xD5;
    all.Setting(33) = 0x0E;
    all.Setting(12) = 130;
    all.Setting(46) = 0;
    SanitiseSettings(all);
    EXPECT_EQ(all.Setting(9), 0x15);
    EXPECT_EQ(all.Setting(7), 0x65);
    EXPECT_EQ(all.Setting(33), 0x0E);
    EXPECT_EQ(all.Setting(12), 0);
    EXPECT_EQ(all.Setting(46), 0xFF);
}

TEST_F(Derived, SanitiserResetsADamagedFmScanRange) {
    const std::pair<uint16_t, uint16_t> bad[] = {
        {3520, 3480}, {3520, 3520}, {2799, 4000}, {3000, 4561}, {0xFFFF, 0xFFFF}};
    for (const auto& [low, high] : bad) {
        all.PutU16At(kFmScanLow, low);
        all.PutU16At(kFmScanHigh, high);
        SanitiseSettings(all);
        EXPECT_EQ(all.U16At(kFmScanLow), 3520);
        EXPECT_EQ(all.U16At(kFmScanHigh), 4320);
    }
    all.PutU16At(kFmScanLow, 2800);
    all.PutU16At(kFmScanHigh, 4560);
    SanitiseSettings(all);
    EXPECT_EQ(all.U16At(kFmScanLow), 2800);
    EXPECT_EQ(all.U16At(kFmScanHigh), 4560);
}

TEST_F(Derived, WriteTimeRoundTripsAndRefusesOtherForms) {
    StampWriteTime(all, "2024-03-05 07:08:09");
    EXPECT_EQ(test::HexBytes(&all.Image[kWriteTime], 7), "E8 07 03 05 07 08 09");
    EXPECT_EQ(WriteTimeText(all), "2024-03-05 07:08:09");
    const auto before = all.Image;
    EXPECT_THROW(StampWriteTime(all, "2024-03-05 07:08"), ConversionError);
    EXPECT_THROW(StampWriteTime(all, "2024-03-05 07:08:x9"), ConversionError);
    EXPECT_EQ(all.Image, before);
    std::fill_n(all.Image.begin() + kWriteTime, 7, 0xFF);
    EXPECT_EQ(WriteTimeText(all), "65535-255-255 255:255:255");
    EXPECT_EQ(CurrentTimeText().size(), 19u);
}

TEST_F(Derived, NewCommandKeepsTheBandRangesInEffect) {
    all.Image[kBandMaskByte] = 0x02;
    DeriveBandRanges(all, macList);
    all.Modified = true;
    NewCommandSequence(all, macList, "2025-01-01 00:00:00");
    EXPECT_EQ(all.BandMask, 0x03);
    EXPECT_EQ(all.Image[kBandMaskByte], 0x03);
    EXPECT_EQ(all.BandSummary, "400.00000 - 520.00000MHz");
    EXPECT_FALSE(all.Modified);
    EXPECT_EQ(WriteTimeText(all), "2025-01-01 00:00:00");
}

TEST_F(Derived, SerialNumberShowsLettersAndDigitsOnly) {
    const uint8_t serial[6] = {'A', 'b', '1', '2', '-', '9'};
    std::copy(serial, serial + 6, all.Image.begin() + kSerialNumber);
    std::fill_n(all.Image.begin() + kSerialNumber + 6, 10, 0xFF);
    EXPECT_EQ(SerialNumberText(all), "AB12 9          ");
}

TEST_F(Derived, UnknownIdentSelectsNothing) {
    EXPECT_FALSE(SelectModel(all, macList, "kq57", true));
    EXPECT_EQ(all.ImageModelIdent, "KQ57");
}

} // namespace
} // namespace zorva
