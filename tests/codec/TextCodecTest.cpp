#include "codec/TextCodec.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(NameCode, PrintableRangeMapsAndEverythingElseIsCode32) {
    EXPECT_EQ(EncodeNameChar(' '), 0);
    EXPECT_EQ(EncodeNameChar('A'), 33);
    EXPECT_EQ(EncodeNameChar('z'), 90);
    EXPECT_EQ(EncodeNameChar('~'), 32);
    EXPECT_EQ(EncodeNameChar('\xE9'), 32);
    EXPECT_EQ(EncodeNameChar('\t'), 32);
    for (int c = 0x20; c <= 0x7A; ++c)
        EXPECT_EQ(DecodeNameChar(EncodeNameChar(char(c))), c);
    EXPECT_EQ(DecodeNameChar(EncodeNameChar('~')), '@'); // code 32 reads back as code 64
    EXPECT_EQ(static_cast<unsigned char>(DecodeNameChar(122)), 154u);
    EXPECT_EQ(DecodeNameChar(123), ' ');
    EXPECT_EQ(DecodeNameChar(0xFF), ' ');
}

TEST(DtmfCode, DigitsLettersAndSigns) {
    EXPECT_EQ(EncodeDtmfDigit('0'), 0);
    EXPECT_EQ(EncodeDtmfDigit('X'), 0);
    EXPECT_EQ(EncodeDtmfDigit('a'), 0);
    EXPECT_EQ(EncodeDtmfDigit('9'), 9);
    EXPECT_EQ(EncodeDtmfDigit('D'), 13);
    EXPECT_EQ(EncodeDtmfDigit('#'), 14);
    EXPECT_EQ(EncodeDtmfDigit('*'), 15);
    const char* all = "0123456789ABCD#*";
    for (uint8_t code = 0; code < 16; ++code)
        EXPECT_EQ(DecodeDtmfDigit(code), all[code]);
}

} // namespace
} // namespace zorva
