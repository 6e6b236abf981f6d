#include "link/WriteEngine.h"

#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "core/MacType.h"
#include "link/Framing.h"
#include "link/LinkTestSupport.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::Bytes;
using test::Hex;

struct Writing : ::testing::Test {
    Writing()
        : db(test::MakeStartedDb()),
          engine(link.Context(*db), [] { return std::string("2026-12-09 10:11:12"); }) {
        link.engine = &engine;
        db->All.PortName = "COM1";
        InitNewChannel(db->All, 1, "145.5");
        InitNewChannel(db->All, 128, "446.00625");
        db->All.Modified = true;
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
    // A second model the radio may report, with the same channel count or not.
    void AddModel(const char* ident, int channels) {
        db->MacList.Add(std::make_unique<TMacType>(ident, "Other", channels));
        link.radio.ident = ident;
    }

    test::VirtualLink link;
    std::unique_ptr<Maindb> db;
    WriteEngine engine;
};

TEST_F(Writing, ACompleteWriteSendsBlocksZeroTo294) {
    ShowAndStart();
    link.Run();

    EXPECT_EQ(engine.WritesCompleted(), 1);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Writing Completed."});
    EXPECT_TRUE(link.closedByItself); // as after a read: no second write by a second Ok
    EXPECT_FALSE(link.okEnabled);
    EXPECT_TRUE(db->All.Modified); // unchanged by a write
    EXPECT_EQ(WriteTimeText(db->All), "2026-12-09 10:11:12");

    const auto frames = link.FramesStartingWith(kWriteCommand);
    ASSERT_EQ(frames.size(), 295u);
    const uint8_t* image = db->All.Image.data();
    EXPECT_EQ(Hex(frames.front()), "57 00 00 10 " + test::HexBytes(image, 16));
    EXPECT_EQ(Hex(frames.back()), "57 12 60 10 " + test::HexBytes(image + 0x1260, 16));
    EXPECT_TRUE(std::equal(image, image + 0x1270, link.radio.memory.begin()));
    EXPECT_EQ(link.radio.memory[0x1270], 0xFF); // blocks 295 and 296 are never written
    EXPECT_EQ(Hex(link.written.back().second), "45");
    EXPECT_TRUE(link.radio.ended);
    EXPECT_EQ(Hex(link.written[1].second), "50 52 4F 47 52 41 4D 61"); // suffix of COM1
}

TEST_F(Writing, AnotherModelWithTheSameChannelCountAsksFirst) {
    AddModel("KQ58", 128);
    link.answers = {kResultNo};
    const auto timeBefore = test::HexBytes(&db->All.Image[kWriteTime], 7);
    ShowAndStart();
    link.Run();
    ASSERT_EQ(link.messages.size(), 1u);
    EXPECT_EQ(link.messages[0].kind, kMsgYesNo);
    EXPECT_EQ(link.messages[0].text, "Model Type Wrong. Do you wish to Force write data?");
    EXPECT_TRUE(link.FramesStartingWith(kEndCommand).empty()); // declining sends nothing more
    EXPECT_EQ(test::HexBytes(&db->All.Image[kWriteTime], 7), timeBefore);
    EXPECT_TRUE(link.closedByItself);
}

TEST_F(Writing, ForcedWriteToAnotherModelProceeds) {
    AddModel("KQ58", 128);
    link.answers = {kResultYes};
    ShowAndStart();
    link.Run();
    EXPECT_EQ(engine.WritesCompleted(), 1);
    EXPECT_EQ(link.FramesStartingWith(kWriteCommand).size(), 295u);
}

TEST_F(Writing, RadiosItCannotProgramAreRefused) {
    for (const auto& [ident, channels] : {std::pair{"ZZ99", 0}, std::pair{"KQ60", 64}}) {
        SCOPED_TRACE(ident);
        auto fresh = test::MakeStartedDb();
        test::VirtualLink other;
        WriteEngine writer(other.Context(*fresh), [] { return CurrentTimeText(); });
        other.engine = &writer;
        if (channels) fresh->MacList.Add(std::make_unique<TMacType>(ident, "Small", channels));
        other.radio.ident = ident;
        writer.FormShow();
        other.Run(100);
        writer.Start();
        other.Run();
        std::vector<std::string> texts;
        for (const auto& m : other.messages)
            texts.push_back(m.text);
        EXPECT_EQ(texts, std::vector<std::string>{"Model Type Wrong."});
        EXPECT_EQ(Hex(other.written.back().second), "45");
        EXPECT_TRUE(other.FramesStartingWith(kWriteCommand).empty());
        EXPECT_TRUE(other.closedByItself);
    }
}

TEST_F(Writing, ANakIsIgnoredAndTheTimeOutReports) {
    link.radio.nakBlock = 100;
    ShowAndStart();
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    EXPECT_EQ(link.FramesStartingWith(kWriteCommand).size(), 101u); // no frame after the NAK
    EXPECT_TRUE(link.closedByItself);
    EXPECT_TRUE(link.okEnabled);
}

TEST_F(Writing, LineErrorReportsOnceAndKeepsTheWindow) {
    ShowAndStart();
    link.InjectLineError(3000);
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    EXPECT_FALSE(link.closedByItself);
    EXPECT_FALSE(link.okEnabled);
}

TEST_F(Writing, WrongIdentificationAnswerSendsNoBlock) {
    link.radio.wrongAnswer = true;
    ShowAndStart();
    link.Run();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{db->Language.ComError});
    EXPECT_TRUE(link.FramesStartingWith(kWriteCommand).empty());
    EXPECT_EQ(Hex(link.written.back().second), "45");
}

} // namespace
} // namespace zorva
