#include "codec/Batch.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/Numbers.h"
#include "codec/ToneList.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TChannel Load(TALL& all, int n) {
    TChannel c;
    EXPECT_TRUE(LoadChannel(all, n, c)) << n;
    return c;
}

// Channel 3 of a batch over 1..3, and channel 1 after it.
TEST(Batch, FrequenciesAndTonesAdvanceAsTheOptionsSay) {
    struct Row {
        const char* what;
        void (*set)(BatchOptions&);
        double rx1, tx1, rx3, tx3;
        int rxTone3, txTone3;
    };
    const Row rows[] = {
        {"TX default follows RX", [](BatchOptions& o) { o.rxStep = 2500; }, //
         145, 145, 145.05, 145.05, 0, 0},
        {"RX descending", [](BatchOptions& o) { o.rxStep = 100000, o.rxDescending = true; }, 145,
         145, 143, 143, 0, 0},
        {"a step out of the band is not taken",
         [](BatchOptions& o) { o.rx = 17350000, o.rxStep = 50000; }, 173.5, 173.5, 174, 174, 0, 0},
        {"offset up to the band edge",
         [](BatchOptions& o) { o.rx = 17200000, o.txSource = BatchTx::Offset, o.offset = 500000; },
         172, 174, 172, 174, 0, 0},
        {"offset down",
         [](BatchOptions& o) {
             o.txSource = BatchTx::Offset, o.offset = 60000, o.offsetDown = true;
         },
         145, 144.4, 145, 144.4, 0, 0},
        {"own TX descending",
         [](BatchOptions& o) {
             o.txSource = BatchTx::Own, o.tx = 15000000, o.txStep = 100000, o.txDescending = true;
         },
         145, 150, 145, 148, 0, 0},
        {"tones by space, TX follows RX", [](BatchOptions& o) { o.rxTone = 1, o.rxToneSpace = 2; },
         145, 145, 145, 145, 5, 5},
        {"own TX tone descending to none",
         [](BatchOptions& o) {
             o.rxTone = kToneListSize - 1, o.rxToneSpace = 5, o.txOwnTone = true, o.txTone = 2,
             o.txToneSpace = 1, o.txToneDescending = true;
         },
         145, 145, 145, 145, kToneListSize - 1, 0},
        {"random tones",
         [](BatchOptions& o) { o.rxToneRandom = true, o.txOwnTone = true, o.txToneRandom = true; },
         145, 145, 145, 145, 7, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto db = test::MakeStartedDb();
        TALL& all = db->All;
        BatchOptions o;
        o.first = 1;
        o.last = 3;
        o.rx = 14500000;
        row.set(o);
        EXPECT_TRUE(ApplyBatch(all, o, [](int highest) {
            EXPECT_EQ(highest, kToneListSize - 2);
            return 7;
        }));
        const TChannel c1 = Load(all, 1);
        const TChannel c3 = Load(all, 3);
        EXPECT_NEAR(c1.RxFreq, row.rx1, 1e-9);
        EXPECT_NEAR(c1.TxFreq, row.tx1, 1e-9);
        EXPECT_NEAR(c3.RxFreq, row.rx3, 1e-9);
        EXPECT_NEAR(c3.TxFreq, row.tx3, 1e-9);
        EXPECT_EQ(c3.RxTone, row.rxTone3 ? ToneList()[row.rxTone3] : "");
        EXPECT_EQ(c3.TxTone, row.txTone3 ? ToneList()[row.txTone3] : "");
    }
}

TEST(Batch, CommonValuesReachTheRangeAndClearingEmptiesOnlyIt) {
    const auto db = test::MakeStartedDb();
    TALL& all = db->All;
    BatchOptions o;
    o.first = 2;
    o.last = 4;
    o.rx = 14500000;
    o.name = "ABC";
    o.busyLock = o.scan = true;
    o.power = 0;
    EXPECT_TRUE(ApplyBatch(all, o, {}));
    TChannel c;
    EXPECT_FALSE(LoadChannel(all, 1, c));
    for (int n = 2; n <= 4; ++n) {
        c = Load(all, n);
        EXPECT_EQ(c.Name, "ABC");
        EXPECT_TRUE(IsOn(c, OnFlag::BusyLock));
        EXPECT_TRUE(IsOn(c, OnFlag::Scan));
        EXPECT_FALSE(IsOn(c, OnFlag::Vox));
        EXPECT_EQ(c.Power, 0);
        EXPECT_EQ(c.Epilogue, 1);
    }
    o.numberAsName = true;
    o.last = 2;
    EXPECT_TRUE(ApplyBatch(all, o, {}));
    EXPECT_EQ(Load(all, 2).Name, "2");

    o.first = 5; // a reversed range writes nothing
    EXPECT_FALSE(ApplyBatch(all, o, {}));
    o.first = 3;
    o.last = 200; // clamped to the radio's channels
    o.clear = true;
    EXPECT_TRUE(ApplyBatch(all, o, {}));
    EXPECT_TRUE(LoadChannel(all, 2, c));
    EXPECT_FALSE(LoadChannel(all, 3, c));
    EXPECT_FALSE(LoadChannel(all, 4, c));
}

} // namespace
} // namespace zorva
