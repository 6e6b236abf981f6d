#include "codec/OptionCodes.h"

#include "core/TAll.h"

#include <gtest/gtest.h>
#include <string>

namespace zorva {
namespace {

constexpr int kModeByte = 0x11BB;
constexpr int kBatteryByte = 0x11BC;
constexpr int kVoiceByte = 0x11BD;
constexpr int kTextByte = 0x11C8;

TEST(OptionCodesTest, WritesOnlyCodesThatFitAndKeepsTheOtherBits) {
    TALL all;
    all.Image[0x11BF] = 0xA5;
    WriteField(all, kTxTimeOut, 12);
    EXPECT_EQ(all.Image[0x11BF], 0xC5);
    EXPECT_EQ(ReadField(all, kTxTimeOut), 12);
    EXPECT_EQ(ReadField(all, kSquelch), 5);
    // A list without a selection, or a code too wide for the bits, changes nothing.
    WriteField(all, kTxTimeOut, -1);
    WriteField(all, kTxTimeOut, 16);
    WriteField(all, kSquelch, 16);
    EXPECT_EQ(all.Image[0x11BF], 0xC5);

    WriteField(all, kPriorityChannel, 255);
    EXPECT_EQ(all.Image[0x11C4], 255);
    WriteField(all, kPriorityChannel, 256);
    EXPECT_EQ(all.Image[0x11C4], 255);
    EXPECT_EQ(FieldMax(kVoxDelay), 3);
    EXPECT_EQ(FieldMax(kDropoutDelay), 255);
}

TEST(OptionCodesTest, EveryNibbleReadsAsAnItemAndEachItemWritesItsOwnCode) {
    const int expected[16] = {kModeFmChs,  kModeFmChs,   kModeFmChs,  kModeFmChs,
                              kModeFmFreq, kModeFmFreq,  kModeFmFreq, kModeFmFreq,
                              kModeChs,    kModeChsFreq, kModeChs,    kModeFreq,
                              kModeChs,    kModeChsFreq, kModeChs,    kModeFreq};
    TALL all;
    for (int code = 0; code < 16; ++code) {
        all.Image[kModeByte] = static_cast<uint8_t>(0xA0 | code);
        EXPECT_EQ(ReadModeItem(all), expected[code]) << code;
    }
    const int written[kModeItems] = {15, 13, 14, 7, 3};
    for (int item = 0; item < kModeItems; ++item) {
        all.Image[kModeByte] = 0xA9;
        WriteModeItem(all, item);
        EXPECT_EQ(all.Image[kModeByte], 0xA0 | written[item]) << item;
        EXPECT_EQ(ReadModeItem(all), item);
    }
    all.Image[kModeByte] = 0xA9;
    WriteModeItem(all, -1);
    WriteModeItem(all, kModeItems);
    EXPECT_EQ(all.Image[kModeByte], 0xA9);
}

TEST(OptionCodesTest, OffKeepsTheRatioAndOnWritesIt) {
    TALL all;
    all.Image[kBatteryByte] = 0xF8 | 0x04 | 2; // 1:3
    EXPECT_EQ(ReadBatterySave(all), 3);
    WriteBatterySave(all, 0);
    EXPECT_EQ(all.Image[kBatteryByte], 0xF8 | 2);
    EXPECT_EQ(ReadBatterySave(all), 0);
    WriteBatterySave(all, 1);
    EXPECT_EQ(all.Image[kBatteryByte], 0xF8 | 0x04);
    EXPECT_EQ(ReadBatterySave(all), 1);
    WriteBatterySave(all, 4);
    EXPECT_EQ(all.Image[kBatteryByte], 0xF8 | 0x04 | 3);
    WriteBatterySave(all, 5);
    WriteBatterySave(all, -1);
    EXPECT_EQ(all.Image[kBatteryByte], 0xF8 | 0x04 | 3);
    for (int ratio = 0; ratio < 4; ++ratio) {
        all.Image[kBatteryByte] = static_cast<uint8_t>(ratio);
        EXPECT_EQ(ReadBatterySave(all), 0) << ratio;
    }
}

TEST(OptionCodesTest, OffKeepsTheLanguageBit) {
    TALL all;
    all.Image[kVoiceByte] = 0xF9 | 0x02 | 0x04;
    EXPECT_EQ(ReadVoice(all), kVoiceChinese);
    WriteVoice(all, kVoiceOff);
    EXPECT_EQ(all.Image[kVoiceByte], 0xF9 | 0x04);
    EXPECT_EQ(ReadVoice(all), kVoiceOff);
    WriteVoice(all, kVoiceEnglish);
    EXPECT_EQ(all.Image[kVoiceByte], 0xF9 | 0x02);
    EXPECT_EQ(ReadVoice(all), kVoiceEnglish);
    WriteVoice(all, kVoiceChinese);
    EXPECT_EQ(all.Image[kVoiceByte], 0xF9 | 0x06);
    WriteVoice(all, 3);
    EXPECT_EQ(all.Image[kVoiceByte], 0xF9 | 0x06);
}

std::string TextBytes(const TALL& all) {
    std::string bytes;
    for (int i = 0; i < kPowerOnTextLength; ++i)
        bytes += std::to_string(all.Image[kTextByte + i]) + " ";
    return bytes;
}

TEST(OptionCodesTest, PaddedWithBlanksAndReadWithoutTrailingOnes) {
    TALL all;
    all.Image[kTextByte - 1] = 0x77;
    all.Image[kTextByte + 7] = 0x88;
    WritePowerOnText(all, "AB");
    EXPECT_EQ(TextBytes(all), "33 34 0 0 0 0 0 ");
    EXPECT_EQ(ReadPowerOnText(all), "AB");
    WritePowerOnText(all, " a z ");
    EXPECT_EQ(TextBytes(all), "0 65 0 90 0 0 0 ");
    EXPECT_EQ(ReadPowerOnText(all), " a z");
    WritePowerOnText(all, "ABCDEFGHI");
    EXPECT_EQ(ReadPowerOnText(all), "ABCDEFG");
    WritePowerOnText(all, "");
    EXPECT_EQ(TextBytes(all), "0 0 0 0 0 0 0 ");
    EXPECT_EQ(all.Image[kTextByte - 1], 0x77);
    EXPECT_EQ(all.Image[kTextByte + 7], 0x88);
}

TEST(OptionCodesTest, TheTextTheBytesShowLeavesThemAsTheyAre) {
    TALL all;
    for (int i = 0; i < kPowerOnTextLength; ++i)
        all.Image[kTextByte + i] = 0xFF;
    EXPECT_EQ(ReadPowerOnText(all), "");
    WritePowerOnText(all, "");
    EXPECT_EQ(TextBytes(all), "255 255 255 255 255 255 255 ");

    // "{" and the codes above it read as characters the name code cannot write back.
    const uint8_t odd[kPowerOnTextLength] = {33, 91, 122, 0, 200, 0, 0};
    std::copy(odd, odd + kPowerOnTextLength, all.Image.begin() + kTextByte);
    const std::string shown = ReadPowerOnText(all);
    EXPECT_EQ(shown, std::string("A{\x9A"));
    WritePowerOnText(all, shown);
    EXPECT_EQ(TextBytes(all), "33 91 122 0 200 0 0 ");
    WritePowerOnText(all, "A");
    EXPECT_EQ(TextBytes(all), "33 0 0 0 0 0 0 ");
}

TEST(OptionCodesTest, FollowsTheFlagAndCopiesItIntoTheImage) {
    TALL all;
    all.ManualFreqFlag = 0x55;
    all.Image[kManualFreqByte] = kManualFreqAllowed;
    EXPECT_FALSE(ReadManualFreq(all));
    WriteManualFreq(all, false);
    EXPECT_EQ(all.ManualFreqFlag, 0xFF);
    EXPECT_EQ(all.Image[kManualFreqByte], 0xFF);
    WriteManualFreq(all, true);
    EXPECT_TRUE(ReadManualFreq(all));
    EXPECT_EQ(all.Image[kManualFreqByte], 0xAA);
}

} // namespace
} // namespace zorva
