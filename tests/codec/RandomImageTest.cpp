// Any image a damaged radio or file can hold must load and decode without a crash or an
// exception, and leave a state the windows can show.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "codec/FmCodec.h"
#include "codec/Numbers.h"
#include "codec/ToneCodec.h"

#include <gtest/gtest.h>
#include <random>

namespace zorva {
namespace {

bool InSomeBand(const TALL& all, double mhz) {
    for (int band = 0; band < kBands; ++band)
        if (all.BandLow[band] != 0.0 && all.BandLow[band] <= mhz && mhz <= all.BandHigh[band])
            return true;
    return false;
}

TEST(RandomImages, LoadAndDecodeWithoutFaultAndRepairWhatTheyMust) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> byte(0, 255);
    auto db = test::MakeStartedDb();
    TALL& all = db->All;
    TChannel c;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        for (int offset = 16; offset < 0x12A0; ++offset)
            all.Image[offset] = static_cast<uint8_t>(byte(random));
        // Every third image gets a plausible model block, so band masks of all kinds occur.
        if (round % 3 == 0) all.Image[kBandMaskByte] &= 0x3F;

        ASSERT_NO_THROW(AfterLoadSequence(all, db->MacList, "KQ57"));
        EXPECT_FALSE(all.Modified);
        EXPECT_NE(all.BandMask, 0);
        EXPECT_LE(all.GetSetting(9, 0x0F), 8);
        EXPECT_LE(all.Setting(12), 129);
        const uint16_t scanLow = all.U16At(kFmScanLow), scanHigh = all.U16At(kFmScanHigh);
        EXPECT_LT(scanLow, scanHigh);

        // Decoding every record, FM slot and the write time leaves the image as it is.
        const auto loaded = all.Image;
        for (int n = 1; n <= kVfoUp; ++n) {
            ASSERT_NO_THROW(LoadChannel(all, n, c)) << n;
            EXPECT_EQ(all.Image, loaded) << n;
            if (!IsVfoRecord(n) && !all.IsSlotClear(kChannelBitmap, n)) continue;
            EXPECT_TRUE(InSomeBand(all, c.RxFreq)) << n << " " << c.RxFreq;
            EXPECT_NO_THROW(EncodeTone(c.RxTone));
            EXPECT_NO_THROW(EncodeTone(c.TxTone));
            EXPECT_LE(c.Name.size(), 7u);
            EXPECT_GE(c.IdCode.size(), 3u);
            // The repair stores what the decode showed, and repairing again changes nothing.
            TALL repaired = all;
            RepairChannel(repaired, n);
            TChannel again;
            ASSERT_TRUE(LoadChannel(repaired, n, again));
            EXPECT_EQ(FormatFreq(again.RxFreq), FormatFreq(c.RxFreq));
            EXPECT_EQ(FormatFreq(again.TxFreq), FormatFreq(c.TxFreq));
            EXPECT_EQ(FormatFreq(again.Offset), FormatFreq(c.Offset));
            EXPECT_EQ(again.RxTone, c.RxTone);
            EXPECT_EQ(again.TxTone, c.TxTone);
            EXPECT_EQ(again.IdCode, c.IdCode);
            const auto once = repaired.Image;
            RepairChannel(repaired, n);
            EXPECT_EQ(repaired.Image, once) << n;
        }
        for (int k = 1; k <= kFmChannels; ++k)
            ASSERT_NO_THROW(ReadFmChannel(all, k));
        ASSERT_NO_THROW(ReadFmChannel(all, kFmCurrentSlot));
        ASSERT_NO_THROW(WriteTimeText(all));
        EXPECT_EQ(all.Image, loaded);
    }
}

} // namespace
} // namespace zorva
