#include "core/TAll.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(ByteFields, GetFieldShiftsMasksAndFallsBackAboveMax) {
    EXPECT_EQ(GetField(0xA5, 0x30, 3, 3), 2);
    EXPECT_EQ(GetField(0xFF, 0x03, 2, 0), 0); // 3 exceeds the maximum
    EXPECT_EQ(GetField(0x80, 0x80, 1, 0), 1);
    EXPECT_EQ(GetField(0xFF, 0x00, 9, 7), 0); // an empty mask reads nothing
}

TEST(ByteFields, PutFieldKeepsOtherBits) {
    uint8_t byte = 0xFF;
    PutField(byte, 0x30, 1);
    EXPECT_EQ(byte, 0xDF);
    byte = 0x00;
    PutField(byte, 0xF0, 6);
    EXPECT_EQ(byte, 0x60);
}

TEST(ByteFields, BitsAboveSevenTestTheWholeByteAndSetNothing) {
    EXPECT_TRUE(TestBit(0x10, 4));
    EXPECT_FALSE(TestBit(0x10, 3));
    EXPECT_TRUE(TestBit(0x01, 8));
    EXPECT_FALSE(TestBit(0x00, 9));
    uint8_t byte = 0x0F;
    SetBit(byte, 8, true);
    EXPECT_EQ(byte, 0x0F);
    SetBit(byte, 0, false);
    SetBit(byte, 7, true);
    EXPECT_EQ(byte, 0x8E);
}

TEST(ImageAddressing, ChannelRecordsAndBitmaps) {
    EXPECT_EQ(ChannelFieldAddress(1, 0), 0x0010);
    EXPECT_EQ(ChannelFieldAddress(128, 31), 0x100F);
    EXPECT_EQ(ChannelFieldAddress(129, 0), 0x1010);
    EXPECT_EQ(ChannelFieldAddress(130, 31), 0x104F);

    TALL all;
    all.Image[0x1191] = 0x01;
    EXPECT_FALSE(all.IsSlotClear(kChannelBitmap, 9));
    EXPECT_TRUE(all.IsSlotClear(kChannelBitmap, 10));
    all.Image[0x11B3] = 0x01;
    EXPECT_FALSE(all.IsSlotClear(kFmBitmap, 25));
    all.SetSlotClear(kFmBitmap, 25, true);
    EXPECT_EQ(all.Image[0x11B3], 0x00);
    all.SetSlotClear(kScanBitmap, 128, false);
    EXPECT_EQ(all.Image[0x11AF], 0x80);
}

TEST(ImageNumbers, ReadU32IgnoresBit31AndWriteU32IsLittleEndian) {
    const uint8_t ones[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(ReadU32(ones), 0x7FFFFFFFu);
    uint8_t bytes[4] = {};
    WriteU32(bytes, 14550000);
    EXPECT_EQ(bytes[0], 0xF0);
    EXPECT_EQ(bytes[1], 0x03);
    EXPECT_EQ(bytes[2], 0xDE);
    EXPECT_EQ(bytes[3], 0x00);
}

TEST(Settings, ClampSettingReplacesOnlyOutOfRangeFields) {
    TALL all;
    all.Setting(7) = 0xD5;
    all.ClampSetting(7, 0xF0, 0, 12, 6);
    EXPECT_EQ(all.Setting(7), 0x65);
    all.ClampSetting(7, 0xF0, 0, 12, 6);
    EXPECT_EQ(all.Setting(7), 0x65);
    EXPECT_EQ(all.Image[kSettingsBase + 7], 0x65);
    EXPECT_EQ(all.GetSetting(7, 0x0F), 5);
}

} // namespace
} // namespace zorva
