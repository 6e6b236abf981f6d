// Runs the built virtual radio and speaks the protocol to it by hand through its pseudo-terminal.

#include "radiosim/RadioSimSupport.h"

namespace {

using namespace radiosim_test;

TEST(RadioSim, HandshakeAnswersAsTheRadio) {
    Sim sim({});
    ASSERT_TRUE(sim.path().starts_with("/dev/")) << sim.path();
    sim.open();
    // Both wake-ups are answered; the reply to the identification block follows from the block.
    EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(kWakeUpC, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'K', 'Q', '5', '7', 0x00, 0x15, 0x00}));
    EXPECT_EQ(sim.exchange(kExampleBlock, 1), Bytes{0x78});
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    // Every weight of the sum shows with all-0xFF and all-zero blocks; b0 and b15 do not count.
    EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
    sim.exchange({0x02}, 8);
    EXPECT_EQ(sim.exchange(Bytes(16, 0xFF), 1), Bytes{0xF3});
    EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
    sim.exchange({0x02}, 8);
    Bytes zeros(16, 0x00);
    zeros[0] = 0x12;
    zeros[15] = 0x34;
    EXPECT_EQ(sim.exchange(zeros, 1), Bytes{0xFE});
}

TEST(RadioSim, IdentAndBandFromOptions) {
    Sim sim({"--ident", "AB12", "--band", "0x3f"});
    sim.open();
    EXPECT_EQ(sim.exchange(kWakeUpC, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'A', 'B', '1', '2', 0x00, 0x3F, 0x00}));
}

TEST(RadioSim, IgnoresStrayBytesAndFindsTheWakeUp) {
    Sim sim({});
    sim.open();
    // Nothing but a wake-up means anything to an idle radio.
    sim.send({0x02, 0x06, 0x52, 0x00, 0x00, 0x10});
    EXPECT_TRUE(sim.quietFor(200ms));
    // A false start ("P" then "PROGRAMa") is found all the same.
    EXPECT_EQ(sim.exchange({0x00, 0x50, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x61}, 1),
              Bytes{0x06});
    EXPECT_TRUE(sim.quietFor(200ms)) << "one wake-up, one answer";
    // A suffix beyond "i" is no wake-up.
    sim.send({0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x6A});
    EXPECT_TRUE(sim.quietFor(200ms));
}

TEST(RadioSim, ReadsAndWritesMemory) {
    Sim sim({"--serial", "SN42"});
    sim.open();
    sim.handshake();

    EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    EXPECT_EQ(sim.exchange(writeFrame(0x0050, counting(1)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(writeFrame(0x1270, counting(0x80)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0050), 20), readReply(0x0050, counting(1)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x1270), 20), readReply(0x1270, counting(0x80)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    // The serial number block is acknowledged but keeps the serial, padded with spaces.
    EXPECT_EQ(sim.exchange(writeFrame(0x1280, filled(0x00)), 1), Bytes{0x06});
    const Bytes serial = {'S', 'N', '4', '2', ' ', ' ', ' ', ' ',
                          ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(sim.exchange(readRequest(0x1280), 20), readReply(0x1280, serial));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});

    // Beyond the memory, or with another length, nothing is answered and the session goes on.
    sim.send(readRequest(0x1290));
    EXPECT_TRUE(sim.quietFor(200ms));
    sim.send({0x52, 0x00, 0x00, 0x20});
    EXPECT_TRUE(sim.quietFor(200ms));
    EXPECT_EQ(sim.exchange(readRequest(0x0050), 20), readReply(0x0050, counting(1)));
}

TEST(RadioSim, EndCommandSavesTheMemoryAsADataFile) {
    TempDir dir;
    const fs::path file = dir / "radio.dat";
    Sim sim({"--save", file.string(), "--sessions", "1"});
    sim.open();
    sim.handshake();
    sim.exchange(writeFrame(0x0000, filled(0x11)), 1); // block 0 is not stored in a file
    sim.exchange(writeFrame(0x0010, counting(0x20)), 1);
    sim.exchange(writeFrame(0x1270, counting(0x40)), 1);
    sim.send({0x45});
    ASSERT_EQ(sim.waitExit(), 0) << sim.errors();

    const Bytes saved = fileBytes(file);
    ASSERT_EQ(saved.size(), 4768u);
    const Bytes header = {0x50, 'K', 'Q', '5', '7', 'K',  'Q',  '5',
                          '7',  ' ', ' ', ' ', ' ', 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 16), header);
    EXPECT_EQ(Bytes(saved.begin() + 0x10, saved.begin() + 0x20), counting(0x20));
    EXPECT_EQ(Bytes(saved.begin() + 0x20, saved.begin() + 0x30), filled(0xFF));
    EXPECT_EQ(Bytes(saved.begin() + 0x1270, saved.begin() + 0x1280), counting(0x40));
    EXPECT_EQ(std::string(saved.begin() + 0x1280, saved.begin() + 0x1290), "ZS520A1234567890");
    EXPECT_EQ(Bytes(saved.begin() + 0x1290, saved.end()), filled(0x00));
    const auto entries = std::distance(fs::directory_iterator(file.parent_path()), {});
    EXPECT_EQ(entries, 1) << "no temporary file left behind";
}

TEST(RadioSim, StopSignalSavesAndRemovesTheLink) {
    TempDir dir;
    const fs::path file = dir / "radio.dat";
    const fs::path link = dir / "ttyRADIO";
    Sim sim({"--save", file.string(), "--link", link.string()});
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), sim.path());
    sim.open(link.string());
    sim.handshake();
    sim.exchange(writeFrame(0x0100, counting(0x50)), 1);

    EXPECT_EQ(sim.stop(), 0) << sim.errors();
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    const Bytes saved = fileBytes(file);
    ASSERT_EQ(saved.size(), 4768u);
    EXPECT_EQ(Bytes(saved.begin() + 0x100, saved.begin() + 0x110), counting(0x50));
}

TEST(RadioSim, ServesALoadedDataFile) {
    TempDir dir;
    const fs::path file = dir / "in.dat";
    Bytes content(4768);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()),
               static_cast<std::streamsize>(content.size()));
    auto slice = [&content](std::size_t at) {
        return Bytes(content.begin() + static_cast<std::ptrdiff_t>(at),
                     content.begin() + static_cast<std::ptrdiff_t>(at + 16));
    };

    {
        Sim sim({"--load", file.string()});
        sim.open();
        sim.handshake();
        // Past the header, a file offset is the memory address; block 0 is not in the file.
        EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
        sim.exchange({0x06}, 1);
        EXPECT_EQ(sim.exchange(readRequest(0x0010), 20), readReply(0x0010, slice(0x10)));
        sim.exchange({0x06}, 1);
        EXPECT_EQ(sim.exchange(readRequest(0x1280), 20), readReply(0x1280, slice(0x1280)));
    }
    {
        Sim sim({"--load", file.string(), "--serial", "0123456789ABCDEF"});
        sim.open();
        sim.handshake();
        const Bytes serial = {'0', '1', '2', '3', '4', '5', '6', '7',
                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
        EXPECT_EQ(sim.exchange(readRequest(0x1280), 20), readReply(0x1280, serial));
    }
}

TEST(RadioSim, RefusesBadOptionsAndShortFiles) {
    TempDir dir;
    const fs::path file = dir / "short.dat";
    std::ofstream(file, std::ios::binary) << std::string(4767, 'x');
    const std::vector<std::vector<std::string>> cases = {
        {"--load", file.string()}, {"--load", (dir / "absent.dat").string()},
        {"--band", "256"},         {"--ident", "KQ5"},
        {"--fault", "nak-block"},  {"--fault", "split:0"},
        {"--fault", "melting"},    {"--baud"},
        {"--fault", "drop-write"}, {"--frobnicate"},
    };
    for (const auto& args : cases) {
        Sim sim(args);
        EXPECT_EQ(sim.path(), "") << args[0];
        EXPECT_EQ(sim.waitExit(), 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_FALSE(sim.errors().empty()) << args[0];
    }
    EXPECT_NE(Sim({"--load", file.string()}).errors().find("4767"), std::string::npos);
}

TEST(RadioSim, EndCommandInsteadOfTheIdentificationBlockEndsTheSession) {
    // What a program does when it does not know the radio's model.
    Sim sim({"--sessions", "1"});
    sim.open();
    EXPECT_EQ(sim.exchange(kWakeUpC, 1), Bytes{0x06});
    sim.exchange({0x02}, 8);
    sim.send({0x45});
    EXPECT_EQ(sim.waitExit(), 0) << sim.errors();
}

} // namespace
