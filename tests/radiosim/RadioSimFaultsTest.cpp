// The virtual radio's calibration table and the faults it can be told to make.

#include "radiosim/RadioSimSupport.h"

namespace {

using namespace radiosim_test;

TEST(RadioSim, CalibrationTable) {
    Sim sim({});
    sim.open();
    EXPECT_EQ(sim.exchange({0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x67}, 1), Bytes{0x06});
    const Bytes row = sim.exchange({0x53, 0x02, 0x80, 0x10}, 20);
    ASSERT_EQ(row.size(), 20u);
    EXPECT_EQ(Bytes(row.begin(), row.begin() + 4), (Bytes{0x58, 0x02, 0x80, 0x10}));
    EXPECT_EQ(sim.exchange({0x58, 0x02, 0x8C, 0x01, 0xC8}, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange({0x53, 0x02, 0x80, 0x10}, 20).at(4 + 12), 0xC8);
    sim.send({0x53, 0x04, 0x10, 0x10}); // past the table's 65 rows
    EXPECT_TRUE(sim.quietFor(200ms));
}

const Bytes kWakeUpG = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x67};

Bytes tableRow(const Bytes& reply) {
    return reply.size() < 20 ? Bytes() : Bytes(reply.end() - 16, reply.end());
}

// Waits until `path` holds `size` bytes with `byte` at `offset`.
bool fileShows(const fs::path& path, std::size_t size, std::size_t offset, std::uint8_t byte) {
    const auto deadline = Clock::now() + kReplyWait;
    while (Clock::now() < deadline) {
        const Bytes bytes = fileBytes(path);
        if (bytes.size() == size && bytes[offset] == byte) return true;
        ::usleep(5000);
    }
    return false;
}

TEST(RadioSim, CalibrationFileIsServedAndKeptUpToDate) {
    TempDir dir;
    const fs::path file = dir / "table.bin";
    Bytes table(1040);
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>(i * 7);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(table.data()), 1040);

    Sim sim({"--calibration", file.string()});
    sim.open();
    EXPECT_EQ(sim.exchange(kWakeUpG, 1), Bytes{0x06});
    EXPECT_EQ(tableRow(sim.exchange({0x53, 0x04, 0x00, 0x10}, 20)),
              Bytes(table.begin() + 0x400, table.end()));
    EXPECT_EQ(sim.exchange({0x58, 0x02, 0x8C, 0x01, 0xC8}, 1), Bytes{0x06});
    EXPECT_TRUE(fileShows(file, 1040, 0x28C, 0xC8)) << "saved after the set";
    EXPECT_EQ(sim.stop(), 0) << sim.errors();
    table[0x28C] = 0xC8;
    EXPECT_EQ(fileBytes(file), table);
    const auto entries = std::distance(fs::directory_iterator(dir / ""), {});
    EXPECT_EQ(entries, 1) << "no temporary file left behind";
}

TEST(RadioSim, MissingCalibrationFileIsCreatedAndAWrongOneRefused) {
    TempDir dir;
    const fs::path file = dir / "new.bin";
    {
        Sim sim({"--calibration", file.string()});
        sim.open();
        EXPECT_EQ(sim.stop(), 0) << sim.errors();
    }
    const Bytes saved = fileBytes(file);
    ASSERT_EQ(saved.size(), 1040u);
    EXPECT_EQ(saved[16 * 40 + 10], 0x50);
    EXPECT_EQ(saved[16 * 40 + 12], 0xC8);

    const fs::path shortFile = dir / "short.bin";
    std::ofstream(shortFile, std::ios::binary) << "too short";
    Sim bad({"--calibration", shortFile.string()});
    EXPECT_EQ(bad.waitExit(), 2);
    EXPECT_NE(bad.errors().find("1040"), std::string::npos) << bad.errors();
}

TEST(RadioSimFaults, FaultsReachTheCalibrationTable) {
    {
        Sim sim({"--fault", "nak-block:40", "--fault", "garbage"});
        sim.open();
        sim.exchange(kWakeUpG, 1);
        EXPECT_EQ(sim.exchange({0x58, 0x02, 0x8C, 0x01, 0x01}, 1), Bytes{0x15});
        EXPECT_EQ(sim.exchange({0x58, 0x02, 0x9C, 0x01, 0x01}, 1), Bytes{0x06});
        const Bytes reply = sim.exchange({0x53, 0x02, 0x80, 0x10}, 23);
        ASSERT_EQ(reply.size(), 23u);
        EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 7), (Bytes{0x58, 0x02, 0x80, 0x10}));
        EXPECT_EQ(reply[3 + 4 + 12], 0xC8) << "a refused value is not stored";
    }
    {
        Sim sim({"--fault", "stop-after:1"});
        sim.open();
        sim.exchange(kWakeUpG, 1);
        EXPECT_EQ(sim.exchange({0x53, 0x00, 0x10, 0x10}, 20).size(), 20u);
        sim.send({0x53, 0x00, 0x20, 0x10});
        EXPECT_TRUE(sim.quietFor(300ms));
        EXPECT_EQ(sim.exchange(kWakeUpG, 1), Bytes{0x06});
    }
    {
        Sim sim({"--fault", "silent"});
        sim.open();
        sim.send(kWakeUpG);
        sim.send({0x53, 0x00, 0x00, 0x10});
        EXPECT_TRUE(sim.quietFor(300ms));
    }
}

TEST(RadioSimFaults, SilentWrongIdentsAndWrongAnswer) {
    {
        Sim sim({"--fault", "silent"});
        sim.open();
        sim.send(kWakeUpC);
        EXPECT_TRUE(sim.quietFor(300ms));
    }
    {
        Sim sim({"--fault", "lower-ident"});
        sim.open();
        sim.exchange(kWakeUpC, 1);
        EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'k', 'q', '5', '7', 0x00, 0x15, 0x00}));
    }
    {
        Sim sim({"--fault", "wrong-ident", "--fault", "wrong-answer"});
        sim.open();
        sim.exchange(kWakeUpC, 1);
        EXPECT_EQ(sim.exchange({0x02}, 8), (Bytes{0x50, 'X', 'X', '9', '9', 0x00, 0x15, 0x00}));
        EXPECT_EQ(sim.exchange(kExampleBlock, 1), Bytes{0x79});
    }
}

TEST(RadioSimFaults, NakBlockRefusesWriteAndReadOfThatBlock) {
    Sim sim({"--fault", "nak-block:2"});
    sim.open();
    sim.handshake();
    EXPECT_EQ(sim.exchange(writeFrame(0x0020, counting(0)), 1), Bytes{0x15});
    EXPECT_EQ(sim.exchange(writeFrame(0x0030, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0020), 20), readReply(0x0020, filled(0xFF)))
        << "a refused write is not stored";
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x15});
    EXPECT_EQ(sim.exchange(readRequest(0x0030), 20), readReply(0x0030, counting(0)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
}

TEST(RadioSimFaults, DropWriteAcknowledgesButKeepsTheOldBytes) {
    Sim sim({"--fault", "drop-write:2"});
    sim.open();
    sim.handshake();
    EXPECT_EQ(sim.exchange(writeFrame(0x0020, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(writeFrame(0x0030, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0020), 20), readReply(0x0020, filled(0xFF)));
    EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
    EXPECT_EQ(sim.exchange(readRequest(0x0030), 20), readReply(0x0030, counting(0)));
}

TEST(RadioSimFaults, StopAfterFallsSilentUntilTheNextWakeUp) {
    Sim sim({"--fault", "stop-after:1"});
    sim.open();
    sim.handshake();
    for (unsigned block = 0; block < 2; ++block) {
        EXPECT_EQ(sim.exchange(readRequest(block * 16), 20).size(), 20u);
        EXPECT_EQ(sim.exchange({0x06}, 1), Bytes{0x06});
    }
    sim.send(readRequest(0x0020));
    EXPECT_TRUE(sim.quietFor(300ms));
    sim.handshake();
}

TEST(RadioSimFaults, HangupClosesTheLineAndExits) {
    Sim sim({"--fault", "hangup-after:0"});
    sim.open();
    sim.handshake();
    EXPECT_EQ(sim.exchange(writeFrame(0x0000, counting(0)), 1), Bytes{0x06});
    EXPECT_EQ(sim.waitExit(), 1);
}

TEST(RadioSimFaults, GarbageLengthensReadReplies) {
    Sim sim({"--fault", "garbage"});
    sim.open();
    sim.handshake();
    const Bytes reply = sim.exchange(readRequest(0x0040), 23);
    ASSERT_EQ(reply.size(), 23u);
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.end()), readReply(0x0040, filled(0xFF)));
}

TEST(RadioSimFaults, SplitPacingAndDelayKeepTheBytes) {
    // split:3 sends a 20-byte reply as 7 pieces with 6 gaps of 5 ms.
    {
        Sim sim({"--fault", "split:3"});
        sim.open();
        sim.handshake();
        const auto start = Clock::now();
        EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
        EXPECT_GE(Clock::now() - start, 30ms);
        EXPECT_GE(sim.reads(), 2);
    }
    // At 1200 baud, 20 bytes of 11 bits take 183 ms on the line.
    {
        Sim sim({"--baud", "1200"});
        sim.open();
        sim.handshake();
        const auto start = Clock::now();
        EXPECT_EQ(sim.exchange(readRequest(0x0000), 20), readReply(0x0000, filled(0xFF)));
        const auto took = Clock::now() - start;
        EXPECT_GE(took, 183ms);
        EXPECT_LT(took, 1500ms);
    }
    {
        Sim sim({"--reply-delay", "150"});
        sim.open();
        const auto start = Clock::now();
        EXPECT_EQ(sim.exchange(kWakeUpA, 1), Bytes{0x06});
        EXPECT_GE(Clock::now() - start, 150ms);
    }
}

} // namespace
