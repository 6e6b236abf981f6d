#include "codec/ChannelRecord.h"

#include "TestSupport.h"
#include "codec/Numbers.h"

#include <gtest/gtest.h>
#include <tuple>

namespace zorva {
namespace {

struct Channels : ::testing::Test {
    Channels() : db(test::MakeStartedDb()), all(db->All) {}
    const uint8_t* Record(int n) const { return &all.Image[ChannelFieldAddress(n, 0)]; }
    std::string RecordHex(int n, int from, int count) const {
        return test::HexBytes(Record(n) + from, count);
    }
    std::string Set(int n, int field, std::string text) {
        SetChannelField(all, n, field, text);
        return text;
    }
    std::unique_ptr<Maindb> db;
    TALL& all;
    TChannel c;
};

TEST_F(Channels, NewChannelGetsTheDefaultRecord) {
    InitNewChannel(all, 1, "145.5");
    EXPECT_EQ(RecordHex(1, 0, 12), "F0 03 DE 00 F0 03 DE 00 FF FF FF FF");
    EXPECT_EQ(RecordHex(1, 12, 6), "FF FF FF 00 0F FF");
    EXPECT_EQ(RecordHex(1, 18, 7), "00 00 00 00 00 00 00");
    EXPECT_EQ(RecordHex(1, 25, 7), "FF FF FF FF FF FF FF");
    EXPECT_TRUE(all.IsSlotClear(kChannelBitmap, 1));
    EXPECT_FALSE(all.IsSlotClear(kScanBitmap, 1));

    ASSERT_TRUE(LoadChannel(all, 1, c));
    EXPECT_EQ(c.RxFreq, 145.5);
    EXPECT_EQ(c.TxFreq, 145.5);
    EXPECT_EQ(c.Shift, 0);
    EXPECT_EQ(c.Power, 1);
    EXPECT_EQ(c.Bandwidth, 1);
    EXPECT_EQ(c.BusyLock, 1);
    EXPECT_EQ(c.Vox, 1);
    EXPECT_EQ(c.VoiceMode, 0);
    EXPECT_EQ(c.Epilogue, 1);
    EXPECT_EQ(c.PttId, 0);
    EXPECT_EQ(c.Ani, 1);
    EXPECT_EQ(c.Scan, 1);
    EXPECT_EQ(c.IdCode, "000");
    EXPECT_EQ(c.Name, "");
    EXPECT_EQ(c.RxTone, "");
}

TEST_F(Channels, DeletingEmptiesRecordAndBitmaps) {
    InitNewChannel(all, 5, "145.5");
    Set(5, kFieldScan, "0");
    EXPECT_EQ(Set(5, kFieldRxFreq, ""), "");
    EXPECT_EQ(all.Image[0x1190] & 0x10, 0x10);
    EXPECT_EQ(all.Image[0x11A0] & 0x10, 0x10);
    for (int offset = 0x90; offset <= 0xAF; ++offset)
        EXPECT_EQ(all.Image[offset], 0xFF);
    c.Name = "keep";
    EXPECT_FALSE(LoadChannel(all, 5, c));
    EXPECT_EQ(c.Name, "keep");
}

TEST_F(Channels, TxFrequencyShiftAndNone) {
    InitNewChannel(all, 2, "145.5");
    EXPECT_EQ(Set(2, kFieldTxFreq, "145.1"), "145.10000");
    ASSERT_TRUE(LoadChannel(all, 2, c));
    EXPECT_EQ(c.Shift, 2);
    EXPECT_NEAR(c.Offset, 0.4, 1e-9);
    EXPECT_EQ(Set(2, kFieldTxFreq, "146.1MHz"), "146.10000");
    ASSERT_TRUE(LoadChannel(all, 2, c));
    EXPECT_EQ(c.Shift, 1);
    EXPECT_EQ(Set(2, kFieldTxFreq, ""), "");
    EXPECT_EQ(RecordHex(2, 4, 4), "FF FF FF FF");
    ASSERT_TRUE(LoadChannel(all, 2, c));
    EXPECT_EQ(c.TxFreq, -1.0);
    EXPECT_EQ(c.Shift, 0);
    EXPECT_EQ(c.Offset, 0.0);
}

TEST_F(Channels, LoaderShowsTheRepairOfOutOfRangeRxAndDamagedTonesWhichRepairStores) {
    InitNewChannel(all, 3, "145.5");
    uint8_t* record = &all.Image[ChannelFieldAddress(3, 0)];
    WriteU32(record, 60000000); // 600 MHz is in no band
    record[8] = 0x8A;           // damaged CTCSS
    record[9] = 0x08;
    record[10] = 0x23;
    record[11] = 0xB8; // DCS with unused bits set
    ASSERT_TRUE(LoadChannel(all, 3, c));
    EXPECT_EQ(c.RxFreq, 400.0);
    EXPECT_EQ(c.RxTone, "");
    EXPECT_EQ(c.TxTone, "D023N");
    EXPECT_EQ(ReadU32(record), 60000000u); // decoding leaves the record alone
    EXPECT_EQ(RecordHex(3, 8, 4), "8A 08 23 B8");
    RepairChannel(all, 3);
    EXPECT_EQ(ReadU32(record), 40000000u);
    EXPECT_EQ(RecordHex(3, 8, 4), "FF FF 23 80");
}

TEST_F(Channels, FlagFieldsStoreTheirBits) {
    InitNewChannel(all, 4, "145.5");
    Set(4, kFieldVoiceMode, "2");
    EXPECT_EQ(Record(4)[12] & 0x03, 1);
    Set(4, kFieldPower, "0");
    Set(4, kFieldBandwidth, "0");
    Set(4, kFieldPttId, "1");
    Set(4, kFieldAni, "0");
    Set(4, kFieldBusyLock, "0");
    ASSERT_TRUE(LoadChannel(all, 4, c));
    EXPECT_EQ(c.VoiceMode, 2);
    EXPECT_EQ(c.Power, 0);
    EXPECT_EQ(c.Bandwidth, 0);
    EXPECT_EQ(c.PttId, 1);
    EXPECT_EQ(c.Ani, 0);
    EXPECT_EQ(c.BusyLock, 0);
    EXPECT_EQ(Record(4)[13], 0x60 | 0x0F);

    Set(4, kFieldScan, "0");
    EXPECT_TRUE(all.IsSlotClear(kScanBitmap, 4));
    Set(4, kFieldScan, "x");
    EXPECT_FALSE(all.IsSlotClear(kScanBitmap, 4));
}

TEST_F(Channels, NamesAndIdCodes) {
    InitNewChannel(all, 6, "145.5");
    EXPECT_EQ(Set(6, kFieldName, "ABCDEFGHIJ"), "ABCDEFG");
    EXPECT_EQ(Set(6, kFieldName, "Rpt 1  "), "Rpt 1");
    ASSERT_TRUE(LoadChannel(all, 6, c));
    EXPECT_EQ(c.Name, "Rpt 1");

    EXPECT_EQ(Set(6, kFieldIdCode, "12"), "120");
    EXPECT_EQ(RecordHex(6, 15, 3), "12 0F FF");
    ASSERT_TRUE(LoadChannel(all, 6, c));
    EXPECT_EQ(c.IdCode, "120");
    Set(6, kFieldIdCode, "1234567");
    EXPECT_EQ(RecordHex(6, 15, 3), "12 34 56");
    ASSERT_TRUE(LoadChannel(all, 6, c));
    EXPECT_EQ(c.IdCode, "123456");
    Set(6, kFieldIdCode, "1");
    ASSERT_TRUE(LoadChannel(all, 6, c));
    EXPECT_EQ(c.IdCode, "100");
    Set(6, kFieldIdCode, "1A");
    ASSERT_TRUE(LoadChannel(all, 6, c));
    EXPECT_EQ(c.IdCode, "000"); // a letter ends the digits after one: too short

    // What is handed back to be shown is what reads back, whatever the caller passed.
    for (const auto& [field, typed, shown] :
         {std::tuple{kFieldName, "a{b~", "a@b@"}, std::tuple{kFieldIdCode, "1A2", "000"},
          std::tuple{kFieldIdCode, "x12", "012"}, std::tuple{kFieldIdCode, "1234567", "123456"},
          std::tuple{kFieldRxTone, ".0", "0.0"}, std::tuple{kFieldRxTone, "D023N", "D023N"}}) {
        EXPECT_EQ(Set(6, field, typed), shown) << typed;
        ASSERT_TRUE(LoadChannel(all, 6, c));
        EXPECT_EQ(field == kFieldName     ? c.Name
                  : field == kFieldIdCode ? c.IdCode
                                          : c.RxTone,
                  shown)
            << typed;
    }
}

TEST_F(Channels, TextsThatAreNoNumberLeaveTheRecordUnchanged) {
    InitNewChannel(all, 7, "145.5");
    const auto before = all.Image;
    for (int field : {kFieldRxFreq, kFieldTxFreq, kFieldShift, kFieldPower, kFieldVoiceMode,
                      kFieldPttId, kFieldAni}) {
        std::string text = "1.2.3";
        EXPECT_THROW(SetChannelField(all, 7, field, text), ConversionError) << field;
    }
    std::string tone = "xyz";
    EXPECT_THROW(SetChannelField(all, 7, kFieldRxTone, tone), ConversionError);
    std::string offset = "abc";
    EXPECT_THROW(SetChannelField(all, kVfoDown, kFieldRxFreq, offset), ConversionError);
    auto after = all.Image;
    EXPECT_EQ(after, before);
}

TEST_F(Channels, FrequenciesThe32BitFieldCannotHoldAreRefused) {
    InitNewChannel(all, 7, "145.5");
    struct Row {
        int channel;
        int field;
        const char* text;
        bool refused;
    };
    const Row rows[] = {
        {7, kFieldRxFreq, "-9999900003569", true},
        {7, kFieldRxFreq, "-0.5", true},
        {7, kFieldRxFreq, "21474.8365", true},
        {7, kFieldRxFreq, "1e12", true},
        {7, kFieldTxFreq, "42949.67296", true},
        {7, kFieldTxFreq, "-2", true},
        {kVfoDown, kFieldRxFreq, "-9999900003569", true},
        {kVfoUp, kFieldRxFreq, "30000", true},
        {7, kFieldRxFreq, "21474.8364", false},
        {7, kFieldRxFreq, "0", false},
        {kVfoUp, kFieldRxFreq, "21474.8", false},
        // Offsets fit three bytes by their own limit: out of range they become 0, never wrap.
        {kVfoDown, kFieldOffset, "-9999900003569", false},
        {kVfoDown, kFieldOffset, "1e12", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto before = all.Image;
        std::string text = row.text;
        if (row.refused) {
            EXPECT_THROW(SetChannelField(all, row.channel, row.field, text), ConversionError);
            EXPECT_EQ(all.Image, before);
        } else {
            EXPECT_NO_THROW(SetChannelField(all, row.channel, row.field, text));
            const double stored = ToNumber(text);
            EXPECT_GE(stored, 0.0);
            EXPECT_LE(stored, 21474.83647);
        }
    }
}

TEST_F(Channels, NewImageVfoRecordsLoadAtTheLowestBandEdge) {
    for (int n : {kVfoDown, kVfoUp}) {
        ASSERT_TRUE(LoadChannel(all, n, c));
        EXPECT_EQ(c.RxFreq, 400.0);
        EXPECT_EQ(c.Offset, 0.0);
        EXPECT_EQ(c.Shift, 0);
        EXPECT_EQ(c.RxTone, "");
        EXPECT_EQ(c.Power, 1);
        EXPECT_EQ(c.Bandwidth, 1);
        EXPECT_EQ(c.VoiceMode, 0);
        EXPECT_EQ(c.PttId, 0);
        EXPECT_EQ(c.Name, "");
        EXPECT_EQ(c.IdCode, "000");
    }
}

TEST_F(Channels, VfoRecordsKeepOffsetOnTheirRaster) {
    all.PutSetting(9, 0x0F, 2); // 5 kHz step: 1.25 kHz raster
    EXPECT_EQ(Set(kVfoDown, kFieldRxFreq, "145.5031"), "145.50250");
    EXPECT_EQ(Set(kVfoDown, kFieldOffset, "0.6"), "0.60000");
    EXPECT_EQ(Set(kVfoDown, kFieldOffset, "150"), "0.00000"); // above 99.995 MHz
    EXPECT_EQ(Set(kVfoDown, kFieldOffset, "-5"), "0.00000");
    Set(kVfoDown, kFieldOffset, "5");
    Set(kVfoDown, kFieldShift, "2");
    ASSERT_TRUE(LoadChannel(all, kVfoDown, c));
    EXPECT_EQ(c.Offset, 5.0);
    EXPECT_EQ(c.Shift, 2);
    EXPECT_NEAR(c.TxFreq, 140.5025, 1e-9);
    // An empty RX text gives the lowest band edge in effect.
    EXPECT_EQ(Set(kVfoUp, kFieldRxFreq, ""), "136.00000");
}

// Busy lock, VOX, ANI and scan store 0 for "on"; the accessor and the texts agree on it.
TEST_F(Channels, OnFlagsStoreZeroForOn) {
    const struct {
        OnFlag flag;
        uint8_t TChannel::*stored;
        const char* onText;
        const char* offText;
    } rows[] = {
        {OnFlag::BusyLock, &TChannel::BusyLock, "On", "Off"},
        {OnFlag::Vox, &TChannel::Vox, "Yes", "No"},
        {OnFlag::Ani, &TChannel::Ani, "ON", "OFF"},
        {OnFlag::Scan, &TChannel::Scan, "Add", "Del"},
    };
    InitNewChannel(all, 1, "145.5");
    for (const auto& row : rows) {
        for (const bool on : {true, false}) {
            SetOn(all, 1, row.flag, on);
            ASSERT_TRUE(LoadChannel(all, 1, c));
            EXPECT_EQ(c.*row.stored, on ? 0 : 1) << FieldOf(row.flag);
            EXPECT_EQ(IsOn(c, row.flag), on);
            EXPECT_STREQ(FlagText(c, row.flag), on ? row.onText : row.offText);
        }
    }
}

} // namespace
} // namespace zorva
