// The DTMF code texts against their byte layout in the settings.
#include "codec/DtmfCodes.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::HexBytes;

constexpr int kFlags = kSettingsBase + kPttIdByte;       // 0x11D8
constexpr int kLengths = kSettingsBase + kPttLengthByte; // 0x11DB

class DtmfCodesTest : public testing::Test {
protected:
    void SetUp() override { all.Image.fill(0xFF); }

    std::string Hex(int setting, int count) const {
        return HexBytes(&all.Image[kSettingsBase + setting], count);
    }

    TALL all;
};

TEST_F(DtmfCodesTest, BeginCodeKeepsItsNeighbours) {
    all.Image[kFlags] = 0xF7; // begin empty, end not
    all.Image[kLengths] = 0xA0;
    StoreDtmfCode(all, DtmfCode::Begin, "123#");
    EXPECT_EQ(all.Image[kFlags], 0xF3);
    EXPECT_EQ(all.Image[kLengths], 0xA3);
    EXPECT_EQ(Hex(kBeginDigits, 8), "12 3E FF FF FF FF FF FF");
    EXPECT_EQ(Hex(kEndDigits, 8), "FF FF FF FF FF FF FF FF");
    EXPECT_TRUE(all.Modified);
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Begin), "123#");
}

TEST_F(DtmfCodesTest, EndCodeUsesTheHighLengthNibbleAndItsOwnFlag) {
    all.Image[kLengths] = 0x05;
    StoreDtmfCode(all, DtmfCode::End, " *0d9 ");
    EXPECT_EQ(all.Image[kFlags], 0xF7);
    EXPECT_EQ(all.Image[kLengths], 0x35);
    EXPECT_EQ(Hex(kEndDigits, 3), "F0 D9 FF");
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::End), "*0D9");
}

TEST_F(DtmfCodesTest, ClearingAPttCodeOnlySetsItsEmptyFlag) {
    StoreDtmfCode(all, DtmfCode::Begin, "0123456789ABCD#*");
    StoreDtmfCode(all, DtmfCode::End, "77");
    all.Modified = false;
    EXPECT_EQ(all.Image[kLengths], 0x1F);
    StoreDtmfCode(all, DtmfCode::Begin, "  ");
    EXPECT_EQ(all.Image[kFlags] & 0x0C, 0x04);
    EXPECT_EQ(all.Image[kLengths], 0x1F);
    EXPECT_EQ(Hex(kBeginDigits, 8), "01 23 45 67 89 AB CD EF");
    EXPECT_TRUE(all.Modified);
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Begin), "");
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::End), "77");
}

TEST_F(DtmfCodesTest, PttCodeStopsAtItsLengthAndCutsAtSixteen) {
    StoreDigits(all, kBeginDigits, 16, "0123456789ABCD#*");
    all.Image[kFlags] = 0xF0;
    all.Image[kLengths] = 0x02;
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Begin), "012");
    // A longer text can never spill its length into the end code's nibble.
    StoreDtmfCode(all, DtmfCode::Begin, "11111111112222222");
    EXPECT_EQ(all.Image[kLengths], 0x0F);
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Begin), "1111111111222222");
}

TEST_F(DtmfCodesTest, IdCodeHasAtLeastThreeDigits) {
    StoreDtmfCode(all, DtmfCode::Id, "5");
    EXPECT_EQ(Hex(kIdDigits, 3), "50 0F FF");
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Id), "500");
    StoreDtmfCode(all, DtmfCode::Id, "");
    EXPECT_EQ(Hex(kIdDigits, 3), "00 0F FF");
    StoreDtmfCode(all, DtmfCode::Id, "12");
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Id), "120");
    StoreDtmfCode(all, DtmfCode::Id, "123456");
    EXPECT_EQ(Hex(kIdDigits, 3), "12 34 56");
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Id), "123456");
}

TEST_F(DtmfCodesTest, IdCodeEndsAtTheFirstNonDigit) {
    all.Image[kSettingsBase + kIdDigits] = 0x12;
    all.Image[kSettingsBase + kIdDigits + 1] = 0xA4;
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Id), "000");
    all.Image[kSettingsBase + kIdDigits + 1] = 0x3A;
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Id), "123");
}

TEST_F(DtmfCodesTest, StunCodeStoresItsLengthByte) {
    all.Image[kSettingsBase + 46] = 0x00;
    StoreDtmfCode(all, DtmfCode::Stun, "12345");
    EXPECT_EQ(Hex(kStunLengthByte, 6), "05 12 34 5F FF FF");
    EXPECT_EQ(all.Image[kSettingsBase + 46], 0x00);
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Stun), "12345");
    StoreDtmfCode(all, DtmfCode::Stun, "");
    EXPECT_EQ(Hex(kStunLengthByte, 2), "00 FF");
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Stun), "");
}

// Lengths beyond their field come only from damaged files; nothing past the field is shown.
TEST_F(DtmfCodesTest, DamagedLengthsStayWithinTheirFields) {
    StoreDtmfCode(all, DtmfCode::Stun, "0123456789");
    all.Image[kSettingsBase + 46] = 0x12;
    all.Setting(kStunLengthByte) = 200;
    EXPECT_EQ(ReadDtmfCode(all, DtmfCode::Stun), "0123456789");
    all.Image[kSettingsBase + 63] = 0x12;
    EXPECT_EQ(ReadDigits(all, 62, 40, 15).size(), 4u);
}

TEST_F(DtmfCodesTest, ReadDigitsStopsBeforeTheFirstCodeAboveTheHighest) {
    StoreDigits(all, kBeginDigits, 16, "19A#");
    EXPECT_EQ(ReadDigits(all, kBeginDigits, 16, 15), "19A#************");
    EXPECT_EQ(ReadDigits(all, kBeginDigits, 16, 13), "19A");
    EXPECT_EQ(ReadDigits(all, kBeginDigits, 16, 9), "19");
    EXPECT_EQ(ReadDigits(all, kBeginDigits, 3, 15), "19A");
}

TEST_F(DtmfCodesTest, StarToneListMapsEveryCode) {
    for (int code = 0; code < 4; ++code)
        EXPECT_EQ(StarToneCodeOfItem(StarToneItemOfCode(code)), code);
    EXPECT_EQ(StarToneItemOfCode(3), 0); // "0"
    EXPECT_EQ(StarToneCodeOfItem(1), 0); // "100"
    EXPECT_EQ(StarToneItemOfCode(4), -1);
    EXPECT_EQ(StarToneCodeOfItem(-1), -1);
}

} // namespace
} // namespace zorva
