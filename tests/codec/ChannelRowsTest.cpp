#include "codec/ChannelRows.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/OptionCodes.h"

#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

// Channels 1..4 named after their letter, "" for an empty channel; 128 channels in all.
class ChannelRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        all.ChannelCount = kMemoryChannels;
        for (int channel = 1; channel <= kMemoryChannels; ++channel)
            ClearChannel(all, channel);
        const char* rx[] = {"146.00000", "145.00000", "", "144.00000"};
        for (int channel = 1; channel <= 4; ++channel) {
            if (!*rx[channel - 1]) continue;
            InitNewChannel(all, channel, rx[channel - 1]);
            std::string name(1, static_cast<char>('A' + channel - 1));
            SetChannelField(all, channel, kFieldName, name);
        }
        SetOn(all, 2, OnFlag::Scan, true); // B alone is scanned
        WriteField(all, kPriorityChannel, 2);
    }

    // The names of channels 1..count, "-" for an empty one.
    std::string Names(int count = 5) {
        std::string names;
        TChannel c;
        for (int channel = 1; channel <= count; ++channel)
            names += LoadChannel(all, channel, c) ? c.Name : "-";
        return names;
    }

    std::unique_ptr<Maindb> db = test::MakeStartedDb();
    TALL& all = db->All;
};

TEST_F(ChannelRowsTest, ChannelsMoveWithTheirScanBitAndThePriorityFollows) {
    struct Row {
        const char* name;
        std::function<bool(TALL&)> op;
        bool done;
        const char* names;
        int scanned;  // the channel now holding B, which alone is scanned
        int priority; // 0 when switched off
    };
    const Row rows[] = {
        {"insert at 2", [](TALL& a) { return InsertChannel(a, 2); }, true, "A-B-D", 3, 3},
        {"insert at 1", [](TALL& a) { return InsertChannel(a, 1); }, true, "-AB-D", 3, 3},
        {"remove 1",
         [](TALL& a) {
             RemoveChannel(a, 1);
             return true;
         },
         true, "B-D--", 1, 1},
        {"remove 2",
         [](TALL& a) {
             RemoveChannel(a, 2);
             return true;
         },
         true, "A-D--", 0, 0},
        {"move 2 up", [](TALL& a) { return MoveChannel(a, 2, -1); }, true, "BA-D-", 1, 1},
        {"move 2 down", [](TALL& a) { return MoveChannel(a, 2, 1); }, true, "A-BD-", 3, 3},
        {"move 1 up", [](TALL& a) { return MoveChannel(a, 1, -1); }, false, "AB-D-", 2, 2},
        {"move 128 down", [](TALL& a) { return MoveChannel(a, 128, 1); }, false, "AB-D-", 2, 2},
        {"sort",
         [](TALL& a) {
             SortChannelsByRx(a);
             return true;
         },
         true, "DBA--", 2, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        const auto before = all.Image;
        EXPECT_EQ(row.op(all), row.done);
        if (!row.done) {
            EXPECT_EQ(all.Image, before);
        }
        EXPECT_EQ(Names(), row.names);
        TChannel c;
        for (int channel = 1; channel <= 5; ++channel)
            if (LoadChannel(all, channel, c)) {
                EXPECT_EQ(IsOn(c, OnFlag::Scan), channel == row.scanned);
            }
        EXPECT_EQ(ReadField(all, kPriorityChannel), row.priority);
    }
}

TEST_F(ChannelRowsTest, InsertIsRefusedWhenTheLastChannelIsInUseAndRecordsMoveWhole) {
    InitNewChannel(all, 128, "440.00000");
    const auto before = all.Image;
    EXPECT_FALSE(InsertChannel(all, 1));
    EXPECT_EQ(all.Image, before);

    // Every byte of a record moves, also those no field shows.
    const int a = ChannelFieldAddress(1, 0);
    all.Image[a + 14] = 0x5A;
    const std::vector<uint8_t> record(all.Image.begin() + a, all.Image.begin() + a + 32);
    ASSERT_TRUE(MoveChannel(all, 1, 1));
    const int b = ChannelFieldAddress(2, 0);
    EXPECT_EQ(std::vector<uint8_t>(all.Image.begin() + b, all.Image.begin() + b + 32), record);
}

} // namespace
} // namespace zorva
