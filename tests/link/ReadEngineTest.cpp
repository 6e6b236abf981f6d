#include "link/ReadEngine.h"

#include "link/Framing.h"
#include "link/LinkTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::Bytes;
using test::Hex;

struct Reading : ::testing::Test {
    Reading() : db(test::MakeStartedDb()), engine(link.Context(*db)) {
        link.engine = &engine;
        db->All.PortName = "COM3";
        // A radio whose memory differs from a new image everywhere it can.
        for (int i = 0; i < kRadioBytes; ++i)
            link.radio.memory[i] = static_cast<uint8_t>(i * 7);
        std::memcpy(&link.radio.memory[0x11F9], "KQ57", 4); // the model block's ident
        imageBefore = db->All.Image;
    }
    void ShowAndStart() {
        engine.FormShow();
        link.Run(100);
        engine.Start();
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : link.messages)
            texts.push_back(m.text);
        return texts;
    }
    void ExpectImageUntouched() const {
        EXPECT_EQ(db->All.Image, imageBefore);
        EXPECT_FALSE(db->All.Modified);
    }

    test::VirtualLink link;
    std::unique_ptr<Maindb> db;
    ReadEngine engine;
    std::array<uint8_t, kImageSize> imageBefore{};
};

TEST_F(Reading, ACompleteReadFillsTheImageAndClosesTheWindow) {
    link.radio.bandByte = 0x3F;
    ShowAndStart();
    link.Run();

    ASSERT_TRUE(engine.ReadCompleted());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Reading Completed."});
    EXPECT_EQ(link.messages[0].caption, "Confirmation");
    EXPECT_TRUE(link.closedByItself);
    EXPECT_FALSE(link.open);
    EXPECT_EQ(link.openedName, "COM3");

    const TALL& all = db->All;
    EXPECT_TRUE(all.Modified);
    EXPECT_EQ(all.Image[0], link.radio.memory[0]);
    EXPECT_EQ(all.Image[0x1000], link.radio.memory[0x1000]);
    EXPECT_EQ(all.Image[0x128F], link.radio.memory[0x128F]);
    EXPECT_EQ(all.Image[0x1290], imageBefore[0x1290]); // block 297 is not the radio's
    EXPECT_EQ(all.ManualFreqFlag, link.radio.memory[0x11FD]);
    EXPECT_EQ(all.Image[kBandMaskByte] & ~0x55, 0); // band byte 0x3F stored as 0x15...
    EXPECT_EQ(all.BandMask & ~0x55, 0);
    EXPECT_EQ(link.progress, ReadEngine::kProgressMax);

    // The wire: two wake-ups, ident, identification block, 297 requests, the end command.
    const auto& w = link.written;
    EXPECT_EQ(Hex(w[0].second), "50 52 4F 47 52 41 4D 61");
    EXPECT_EQ(w[0].first, 450 + 50 + 20 + 50); // after opening, start pause, discard, gap
    EXPECT_EQ(Hex(w[1].second), "50 52 4F 47 52 41 4D 63");
    EXPECT_EQ(w[1].first - w[0].first, 200 + 20);
    EXPECT_EQ(Hex(w[2].second), "02");
    EXPECT_EQ(w[3].second.size(), 16u);
    EXPECT_EQ(Hex(w[4].second), "06");
    const auto requests = link.FramesStartingWith(kReadCommand);
    ASSERT_EQ(requests.size(), 297u);
    EXPECT_EQ(Hex(requests.front()), "52 00 00 10");
    EXPECT_EQ(Hex(requests.back()), "52 12 80 10");
    EXPECT_EQ(Hex(w.back().second), "45");
    EXPECT_EQ(Hex(w[w.size() - 2].second), "06");
    EXPECT_EQ(Hex(w[w.size() - 3].second), "52 12 80 10");
    for (size_t i = 1; i < w.size(); ++i)
        EXPECT_GE(w[i].first - w[i - 1].first, 20) << i;
}

TEST_F(Reading, BandByteFFLeavesTheStoredMaskByte) {
    link.radio.bandByte = 0xFF;
    link.radio.memory[kBandMaskByte] = 0x05;
    ShowAndStart();
    link.Run();
    ASSERT_TRUE(engine.ReadCompleted());
    EXPECT_EQ(db->All.Image[kBandMaskByte], 0x05);
}

TEST_F(Reading, RepliesInAnyPiecesGiveTheSameImage) {
    for (size_t piece : {1u, 7u, 13u}) {
        SCOPED_TRACE(piece);
        auto fresh = test::MakeStartedDb();
        test::VirtualLink other;
        ReadEngine reader(other.Context(*fresh));
        other.engine = &reader;
        other.radio = link.radio;
        other.radio.splitInto = piece;
        fresh->All.PortName = "COM3";
        reader.FormShow();
        other.Run(100);
        reader.Start();
        other.Run();
        ASSERT_TRUE(reader.ReadCompleted());
        EXPECT_TRUE(std::equal(fresh->All.Image.begin(), fresh->All.Image.begin() + 0x1100,
                               other.radio.memory.begin()));
    }
}

TEST_F(Reading, NakThenAckToTheWakeUpIsAccepted) {
    link.radio.wakeUpReply = {0x15, 0x06};
    ShowAndStart();
    link.Run();
    EXPECT_TRUE(engine.ReadCompleted());
}

TEST_F(Reading, AnAckLeftOverFromAnEarlierReplyIsNotAccepted) {
    // Both wake-ups are answered "00 06" then "15": the 0x06 at index 1 belongs to the
    // first reply, not to the answer of the second wake-up.
    int wakeUps = 0;
    link.radio.wakeUpReply = {};
    link.onTick = [&](int64_t) {
        const auto frames = link.FramesStartingWith('P');
        while (wakeUps < static_cast<int>(frames.size())) {
            link.Deliver(wakeUps == 0 ? Bytes{0x00, 0x06} : Bytes{0x15}, 2);
            ++wakeUps;
        }
    };
    ShowAndStart();
    link.Run();
    EXPECT_FALSE(engine.ReadCompleted());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    EXPECT_TRUE(link.FramesStartingWith(kIdentRequest).empty());
}

TEST_F(Reading, SilenceReportsComErrorAfterTheTimeOutAndAPause) {
    link.radio.silent = true;
    ShowAndStart();
    const int64_t started = link.now;
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    // Second wake-up at 500 + 20 + 200 + 20 ms, then 1500 ms time-out, 2500 ms pause, 300 ms.
    EXPECT_EQ(link.closedAt - started, 450 + 50 + 20 + 200 + 20 + 1500 + 2500 + 300);
    ExpectImageUntouched();
}

TEST_F(Reading, UnknownIdentEndsTheExchangeButKeepsTheWindow) {
    link.radio.ident = "kq57";
    ShowAndStart();
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Model Type Wrong."});
    EXPECT_EQ(Hex(link.written.back().second), "45");
    EXPECT_FALSE(link.closedByItself);
    EXPECT_FALSE(link.okEnabled);
    // Stray bytes after the end command are not taken for another ident reply.
    link.Deliver({0x50, 'k', 'q', '5', '7', 0, 0, 0}, 5);
    link.Run();
    EXPECT_EQ(link.messages.size(), 1u);
    ExpectImageUntouched();
}

TEST_F(Reading, WrongAnswerToTheIdentificationBlock) {
    link.radio.wrongAnswer = true;
    ShowAndStart();
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    EXPECT_EQ(Hex(link.written.back().second), "45");
    EXPECT_TRUE(link.closedByItself);
    EXPECT_TRUE(link.FramesStartingWith(kReadCommand).empty());
    ExpectImageUntouched();
}

TEST_F(Reading, ARadioThatStopsMidwayLeavesTheImageAlone) {
    link.radio.stopAfterBlock = 150;
    ShowAndStart();
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    EXPECT_TRUE(link.closedByItself);
    ExpectImageUntouched();
}

TEST_F(Reading, AStrayByteAheadOfABlockFailsTheReadRatherThanShiftingTheBlock) {
    // A late 0x06 lands just after block 32's reply and is taken for the answer to our
    // acknowledgement; the radio's own answer then comes ahead of block 33's reply.
    bool strayed = false;
    link.onTick = [&](int64_t) {
        if (link.radio.lastBlock == 32 && !strayed) link.Deliver({kAck}, 3), strayed = true;
    };
    ShowAndStart();
    link.Run();
    EXPECT_FALSE(engine.ReadCompleted());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    ExpectImageUntouched();
}

TEST_F(Reading, CancelDuringTheTransferLeavesTheImageAlone) {
    link.onTick = [&](int64_t) {
        if (link.radio.lastBlock == 150 && !engine.Closed()) engine.FormClose();
    };
    ShowAndStart();
    link.Run();
    EXPECT_FALSE(engine.ReadCompleted());
    EXPECT_TRUE(link.messages.empty());
    EXPECT_FALSE(link.open);
    ExpectImageUntouched();
}

TEST_F(Reading, FirstLineErrorRestartsTheWholeExchangeSilently) {
    link.radio.replyDelayMs = 80; // a slow radio: the handshake outlasts the old time-out
    ShowAndStart();
    link.InjectLineError(2000); // well into the block transfer
    link.Run(200000);
    EXPECT_TRUE(engine.ReadCompleted());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Reading Completed."});
    EXPECT_EQ(link.FramesStartingWith('P').size(), 4u); // both wake-ups, twice
}

TEST_F(Reading, SecondLineErrorReportsComError) {
    ShowAndStart();
    link.InjectLineError(2000);
    link.InjectLineError(6000);
    link.Run();
    EXPECT_FALSE(engine.ReadCompleted());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    ExpectImageUntouched();
}

TEST_F(Reading, PortThatCannotOpenClosesTheWindowAfterOneMessage) {
    link.openSucceeds = false;
    engine.FormShow();
    link.Run();
    ASSERT_EQ(link.messages.size(), 1u);
    EXPECT_EQ(link.messages[0].text.rfind(db->Language.PortError, 0), 0u);
    EXPECT_NE(link.messages[0].text.find("No such device"), std::string::npos);
    EXPECT_EQ(link.closedAt, 50 + 300);
    EXPECT_TRUE(link.written.empty());
}

TEST_F(Reading, OkPressedWhileThePortIsStillOpeningWaitsForIt) {
    engine.FormShow();
    engine.Start(); // before the 50 ms opening pause is over
    link.Run();
    EXPECT_TRUE(engine.ReadCompleted());
}

} // namespace
} // namespace zorva
