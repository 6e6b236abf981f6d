#include "link/Framing.h"

#include "link/LinkTestSupport.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(Framing, IdentificationBlockOfTheExampleIdentifier) {
    uint8_t block[16];
    EXPECT_EQ(BuildIdentBlock(block, "ABCDEFGHIJKLMNO"), 0x78);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 15), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(block[15], 0x20);
    // Only the first 15 characters count.
    EXPECT_EQ(BuildIdentBlock(block, "ABCDEFGHIJKLMNOPQR"), 0x78);
}

TEST(Framing, WakeUpSuffixFollowsThePortNumber) {
    uint8_t frame[8];
    ASSERT_EQ(BuildWakeUp(frame, 3, {}), 8);
    EXPECT_EQ(test::Hex({frame, frame + 8}), "50 52 4F 47 52 41 4D 63");
    BuildWakeUp(frame, 1, {});
    EXPECT_EQ(frame[7], 'a');
    for (int pick = 0; pick < 5; ++pick) {
        BuildWakeUp(frame, 12, [pick] { return pick; });
        EXPECT_EQ(frame[7], 0x65 + pick);
    }
    BuildWakeUp(frame, 0, [] { return 4; });
    EXPECT_EQ(frame[7], 'i');
}

TEST(Framing, RequestsAndFramesAddressBlocksHighByteFirst) {
    const auto request = BuildReadRequest(0x128);
    EXPECT_EQ(test::Hex({request.begin(), request.end()}), "52 12 80 10");
    uint8_t data[16];
    for (int i = 0; i < 16; ++i)
        data[i] = static_cast<uint8_t>(i);
    const auto frame = BuildWriteFrame(294, data);
    EXPECT_EQ(test::Hex({frame.begin(), frame.begin() + 6}), "57 12 60 10 00 01");
    EXPECT_EQ(frame[19], 15);
}

TEST(Framing, PortNumberIsTheNumberAfterThreeCharacters) {
    EXPECT_EQ(PortNumber("COM1"), 1);
    EXPECT_EQ(PortNumber("COM12"), 12);
    EXPECT_EQ(PortNumber("Com256"), 256);
    EXPECT_EQ(PortNumber("COM"), 0);
    EXPECT_EQ(PortNumber("/dev/ttyUSB0"), 0);
    EXPECT_EQ(PortNumber("COM99999999999"), 0);
}

} // namespace
} // namespace zorva
