#include "link/PowerTestEngine.h"

#include "link/LinkTestSupport.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::Bytes;
using test::Hex;

struct PowerTest : ::testing::Test {
    PowerTest() : db(test::MakeStartedDb()), engine(link.PowerContext(*db)) {
        link.power = &engine;
        db->All.PortName = "COM4";
        for (int i = 0; i < kCalibrationSize; ++i)
            link.radio.calibration[i] = static_cast<uint8_t>(i * 13 + 1);
    }
    // Reads the table and lets the completion pass.
    void GoOnline() {
        engine.Online();
        link.Run(5000);
    }
    std::vector<std::string> Frames(size_t from = 0) const {
        std::vector<std::string> frames;
        for (size_t i = from; i < link.written.size(); ++i)
            frames.push_back(Hex(link.written[i].second));
        return frames;
    }
    const test::RecordedMessage* Question() const {
        for (const auto& m : link.messages)
            if (m.kind == kMsgRetryCancel) return &m;
        return nullptr;
    }

    test::PowerLink link;
    std::unique_ptr<Maindb> db;
    PowerTestEngine engine;
};

TEST_F(PowerTest, OnlineReadsTheWholeTableBetweenWakeUpAndEnd) {
    GoOnline();

    ASSERT_EQ(link.written.size(), 1u + 65u + 1u);
    EXPECT_EQ(link.openedName, "COM4");
    EXPECT_EQ(Hex(link.written[0].second), "50 52 4F 47 52 41 4D 67"); // suffix "g"
    EXPECT_EQ(link.written[0].first, kPowerOpenPauseMs);
    for (int block = 0; block <= 64; ++block) {
        const Bytes& read = link.written[1 + block].second;
        EXPECT_EQ(read, (Bytes{0x53, static_cast<uint8_t>(block * 16 >> 8),
                               static_cast<uint8_t>(block * 16 & 0xFF), 0x10}))
            << "block " << block;
    }
    EXPECT_EQ(Hex(link.written[65].second), "53 04 00 10");
    EXPECT_EQ(Hex(link.written.back().second), "45");
    for (size_t i = 1; i < link.written.size(); ++i)
        EXPECT_GE(link.written[i].first - link.written[i - 1].first, 20) << "frame " << i;

    EXPECT_EQ(engine.Table(), link.radio.calibration);
    EXPECT_TRUE(engine.TableValid());
    EXPECT_TRUE(engine.PortOpen());
    EXPECT_FALSE(engine.Running());
    ASSERT_EQ(link.completed.size(), 1u);
    EXPECT_EQ(link.completed[0].second, PowerSequence::Online);
    EXPECT_EQ(link.completed[0].first, link.written.back().first + 20 + kPowerYesMs);
    EXPECT_EQ(link.portStates, std::vector<bool>{true});
    EXPECT_EQ(link.progress, 67);
    EXPECT_EQ(link.progressMax, 3 + 64);
    EXPECT_FALSE(link.progressVisible);
    EXPECT_TRUE(link.panelEnabled);
    EXPECT_TRUE(link.messages.empty());
}

TEST_F(PowerTest, RepliesInPiecesAndTheRowsTheSlidersShow) {
    link.radio.splitInto = 7;
    GoOnline();
    EXPECT_EQ(engine.Table(), link.radio.calibration);
    EXPECT_TRUE(engine.TableValid());
    EXPECT_EQ(engine.Table()[CalibrationAddress(40, kLowPowerOffset)],
              link.radio.calibration[0x28A]);
    EXPECT_EQ(engine.Table()[CalibrationAddress(13, kHighPowerOffset)],
              link.radio.calibration[0xDC]);
}

TEST_F(PowerTest, SettingAHighPowerValueSendsOneByteAndTheRadioKeepsIt) {
    GoOnline();
    const size_t before = link.written.size();
    engine.SetPower(40, kHighPowerOffset, 200);
    EXPECT_EQ(engine.Table()[0x28C], 200);
    link.Run(5000);

    const auto frames = Frames(before);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0], "50 52 4F 47 52 41 4D 67");
    EXPECT_EQ(frames[1], "58 02 8C 01 C8");
    EXPECT_EQ(frames[2], "45");
    EXPECT_EQ(link.radio.calibration[0x28C], 200);
    EXPECT_EQ(link.completed.back().second, PowerSequence::SetPower);
    EXPECT_EQ(link.progressMax, 3);
    EXPECT_TRUE(engine.TableValid());

    engine.SetPower(13, kLowPowerOffset, 0);
    link.Run(5000);
    EXPECT_EQ(Frames(before + 3)[1], "58 00 DA 01 00");
}

TEST_F(PowerTest, NothingIsSentWhileThePortIsClosedAndAddressesStayInTheTable) {
    engine.SetPower(40, kHighPowerOffset, 200);
    link.Run(5000);
    EXPECT_TRUE(link.written.empty());
    EXPECT_EQ(engine.Table()[0x28C], 200);

    GoOnline();
    const size_t before = link.written.size();
    const CalibrationTable table = engine.Table();
    engine.SetPower(65, kLowPowerOffset, 1); // address 1050: beyond the table
    engine.SetPower(-1, kHighPowerOffset, 1);
    engine.SetPower(0, 16, 1);
    link.Run(5000);
    EXPECT_EQ(link.written.size(), before);
    EXPECT_EQ(engine.Table(), table);
}

TEST_F(PowerTest, AWrongTableReplyIsIgnoredUntilTheQuestionAndCancelClosesThePort) {
    link.radio.tableReplyFirst = 0x57;
    GoOnline();

    ASSERT_EQ(Frames().size(), 2u); // wake-up and the first read, then nothing
    const auto* question = Question();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text, "Please check all connections and communication port settings.");
    EXPECT_EQ(link.messages.size(), 1u);
    EXPECT_EQ(link.portStates, (std::vector<bool>{true, false}));
    EXPECT_FALSE(engine.PortOpen());
    EXPECT_FALSE(engine.TableValid());
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(link.progress, 0);
    EXPECT_FALSE(link.progressVisible);
    EXPECT_TRUE(link.panelEnabled);
    EXPECT_TRUE(link.completed.empty());
}

TEST_F(PowerTest, TheQuestionComesAfterTryTimeAndThePortClosesAfterErrsTime) {
    link.radio.silent = true;
    int64_t askedAt = -1, closedAt = -1;
    link.onTick = [&](int64_t now) {
        if (askedAt < 0 && !link.messages.empty()) askedAt = now;
        if (closedAt < 0 && link.portStates.size() == 2) closedAt = now;
    };
    GoOnline();
    ASSERT_EQ(Frames().size(), 1u);
    EXPECT_EQ(askedAt, link.written[0].first + 20 + kPowerTryMs);
    EXPECT_EQ(closedAt, askedAt + kPowerErrsMs);
    EXPECT_FALSE(link.open);
}

TEST_F(PowerTest, ARefusedValueIsNotTakenForAnAcknowledgement) {
    GoOnline();
    const size_t before = link.written.size();
    // A two-byte answer to the wake-up leaves 0x06 in byte 1; the refusal that follows is one
    // byte and must not borrow it.
    link.radio.wakeUpReply = {0x15, 0x06};
    link.radio.nakTableWrite = true;
    engine.SetPower(40, kLowPowerOffset, 80);
    link.Run(5000);

    EXPECT_EQ(Frames(before).size(), 2u); // wake-up and the value, no end command
    EXPECT_NE(Question(), nullptr);
    EXPECT_EQ(link.completed.size(), 1u); // only the Online
    EXPECT_FALSE(engine.TableValid());
}

TEST_F(PowerTest, RetryAfterARefusalRunsTheWholeQueueAgain) {
    GoOnline();
    const size_t before = link.written.size();
    link.radio.nakTableWrite = true;
    link.answers = {kResultRetry};
    link.onTick = [&](int64_t) {
        if (!link.messages.empty()) link.radio.nakTableWrite = false;
    };
    engine.SetPower(51, kHighPowerOffset, 255);
    link.Run(10000);

    EXPECT_EQ(Frames(before),
              (std::vector<std::string>{"50 52 4F 47 52 41 4D 67", "58 03 3C 01 FF",
                                        "50 52 4F 47 52 41 4D 67", "58 03 3C 01 FF", "45"}));
    EXPECT_EQ(link.radio.calibration[0x33C], 255);
    EXPECT_EQ(link.completed.back().second, PowerSequence::SetPower);
    EXPECT_TRUE(engine.PortOpen());
}

TEST_F(PowerTest, RetryGoesOnReadingAtTheBlockReached) {
    link.answers = {kResultRetry};
    link.radio.dropTableRead = 31;
    GoOnline();

    const auto frames = Frames();
    ASSERT_EQ(frames.size(), 1u + 31u + 1u + 35u + 1u);
    EXPECT_EQ(frames[31], "53 01 E0 10"); // block 30, unanswered
    EXPECT_EQ(frames[32], "50 52 4F 47 52 41 4D 67");
    EXPECT_EQ(frames[33], "53 01 E0 10"); // block 30 again, not block 0
    EXPECT_EQ(frames[frames.size() - 2], "53 04 00 10");
    EXPECT_EQ(engine.Table(), link.radio.calibration);
    EXPECT_TRUE(engine.TableValid());
    EXPECT_EQ(link.portStates, std::vector<bool>{true});
}

TEST_F(PowerTest, AReplyLateForItsRetryIsNotTakenForALaterBlock) {
    // Block 30's first reply comes only after the time-out, the Retry and the second read of
    // block 30, just as block 31 is awaited: its bytes must not fill block 31.
    link.answers = {kResultRetry};
    link.radio.dropTableRead = 31;
    bool late = false;
    link.onTick = [&](int64_t) {
        if (late || link.written.empty() || Hex(link.written.back().second) != "53 01 F0 10")
            return;
        late = true;
        Bytes reply{0x58, 0x01, 0xE0, 0x10};
        reply.insert(reply.end(), link.radio.calibration.begin() + 480,
                     link.radio.calibration.begin() + 496);
        link.Deliver(reply, 1);
    };
    GoOnline();
    EXPECT_TRUE(late);
    EXPECT_FALSE(engine.TableValid() && engine.Table() != link.radio.calibration);
}

TEST_F(PowerTest, BytesBeforeAFrameLeftAreNoReplyToIt) {
    link.radio.silent = true;
    engine.Online();
    link.Deliver({0x06}, 50); // during the pause after opening
    link.Run(5000);
    EXPECT_NE(Question(), nullptr);
    EXPECT_EQ(Frames().size(), 1u);
}

TEST_F(PowerTest, AnAbsentPortIsReportedAndNothingIsSent) {
    link.openSucceeds = false;
    GoOnline();
    ASSERT_EQ(link.messages.size(), 1u);
    EXPECT_EQ(link.messages[0].text, "Cannot open the communication port.\nNo such device");
    EXPECT_EQ(link.messages[0].kind, kMsgInfo);
    EXPECT_TRUE(link.written.empty());
    EXPECT_TRUE(link.portStates.empty());
    EXPECT_FALSE(engine.Running());
    EXPECT_TRUE(link.panelEnabled);
}

TEST_F(PowerTest, CloseSendsWakeUpAndEndAndTheWindowClosesHalfASecondLater) {
    GoOnline();
    const size_t before = link.written.size();
    const int64_t clickedAt = link.now;
    engine.CloseRequested();
    EXPECT_FALSE(link.panelEnabled);
    link.Run(5000);

    EXPECT_EQ(Frames(before), (std::vector<std::string>{"50 52 4F 47 52 41 4D 67", "45"}));
    EXPECT_TRUE(link.closedByItself);
    EXPECT_EQ(link.closedAt, clickedAt + kPowerCloseMs);
    EXPECT_FALSE(link.open);
    EXPECT_TRUE(engine.Closed());
}

TEST_F(PowerTest, CloseWithThePortClosedOnlyClosesTheWindow) {
    engine.CloseRequested();
    link.Run(5000);
    EXPECT_TRUE(link.written.empty());
    EXPECT_EQ(link.closedAt, kPowerCloseMs);
}

TEST_F(PowerTest, CloseOnASilentRadioStillClosesOnTime) {
    GoOnline();
    link.radio.silent = true;
    const int64_t clickedAt = link.now;
    engine.CloseRequested();
    link.Run(5000);
    EXPECT_EQ(link.closedAt, clickedAt + kPowerCloseMs);
    EXPECT_EQ(Question(), nullptr);
}

TEST(CalibrationTable, FramesAddressTheirBlockHighByteFirst) {
    using Frame = std::vector<uint8_t>;
    const auto read = [](int block) {
        const auto f = TableReadFrame(block);
        return Frame(f.begin(), f.end());
    };
    EXPECT_EQ(read(0), (Frame{0x53, 0x00, 0x00, 0x10}));
    EXPECT_EQ(read(17), (Frame{0x53, 0x01, 0x10, 0x10}));
    EXPECT_EQ(read(64), (Frame{0x53, 0x04, 0x00, 0x10}));
    const auto write = TableWriteFrame(CalibrationAddress(64, kHighPowerOffset), 0xC8);
    EXPECT_EQ(Frame(write.begin(), write.end()), (Frame{0x58, 0x04, 0x0C, 0x01, 0xC8}));
}

TEST(CalibrationTable, OnlyTheReplyToTheBlockAskedForIsStored) {
    const struct {
        const char* name;
        std::vector<uint8_t> head; // the first four bytes
        int block;
        bool taken;
    } rows[] = {
        {"its own reply", {0x58, 0x01, 0x10, 0x10}, 17, true},
        {"the previous block's", {0x58, 0x01, 0x00, 0x10}, 17, false},
        {"a stray byte ahead", {0x06, 0x58, 0x01, 0x10}, 17, false},
        {"another command", {0x57, 0x01, 0x10, 0x10}, 17, false},
        {"the last block", {0x58, 0x04, 0x00, 0x10}, 64, true},
    };
    for (const auto& row : rows) {
        std::vector<uint8_t> reply = row.head;
        for (int i = 0; i < 16; ++i)
            reply.push_back(static_cast<uint8_t>(0xA0 + i));
        EXPECT_EQ(IsTableReplyFor(reply.data(), row.block), row.taken) << row.name;
        CalibrationTable table{};
        StoreTableBlock(table, reply.data(), row.block);
        EXPECT_EQ(table[row.block * 16], 0xA0) << row.name;
        EXPECT_EQ(table[row.block * 16 + 15], 0xAF) << row.name;
    }
    // A block beyond the table stores nothing.
    CalibrationTable table{};
    const std::vector<uint8_t> reply(20, 0xEE);
    StoreTableBlock(table, reply.data(), 65);
    StoreTableBlock(table, reply.data(), -1);
    EXPECT_EQ(table, CalibrationTable{});
}

TEST(CalibrationTable, AddressesOutsideTheTableAreRefused) {
    const struct {
        int subRange, tag;
        bool valid;
    } rows[] = {{0, kLowPowerOffset, true},
                {64, kHighPowerOffset, true},
                {65, kLowPowerOffset, false},
                {-1, kHighPowerOffset, false},
                {3, 16, false},
                {3, -1, false},
                {64, 15, true}};
    for (const auto& row : rows)
        EXPECT_EQ(CalibrationAddressValid(row.subRange, row.tag), row.valid)
            << row.subRange << "/" << row.tag;
}

} // namespace
} // namespace zorva
