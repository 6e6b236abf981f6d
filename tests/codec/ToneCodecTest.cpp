#include "codec/ToneCodec.h"

#include "codec/Numbers.h"
#include "codec/ToneList.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

struct ToneCase {
    const char* text;
    uint8_t low, high;
};

TEST(Tones, KnownCodesRoundTrip) {
    const ToneCase cases[] = {{"88.5", 0x85, 0x08},  {"254.1", 0x41, 0x25}, {"67.0", 0x70, 0x06},
                              {"D023N", 0x23, 0x80}, {"D754I", 0x54, 0xC7}, {"D000N", 0x00, 0x80}};
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeTone(c.low, c.high), c.text);
        EXPECT_EQ(EncodeTone(c.text), std::make_pair(c.low, c.high)) << c.text;
    }
    EXPECT_EQ(EncodeTone(""), std::make_pair(uint8_t(0xFF), uint8_t(0xFF)));
}

TEST(Tones, NoToneAndDamagedCodesDecodeEmpty) {
    for (int low = 0; low < 256; low += 17)
        EXPECT_EQ(DecodeTone(uint8_t(low), 0xFF), "");
    EXPECT_EQ(DecodeTone(0x8A, 0x08), ""); // a nibble above 9 is not a tone
    EXPECT_EQ(DecodeTone(0x85, 0x0F), "");
    // Unused DCS bits 3-5 do not change the code.
    EXPECT_EQ(DecodeTone(0x23, 0xB8), "D023N");
}

TEST(Tones, EveryDecodedCodeEncodesBackToACanonicalCode) {
    for (int high = 0; high < 256; ++high)
        for (int low = 0; low < 256; ++low) {
            const std::string text = DecodeTone(uint8_t(low), uint8_t(high));
            const auto [l, h] = EncodeTone(text);
            EXPECT_EQ(DecodeTone(l, h), text);
        }
}

TEST(Tones, EncoderRefusesTextsThatAreNoTone) {
    EXPECT_THROW(EncodeTone("xyz"), ConversionError);
    EXPECT_THROW(EncodeTone("1.2.3"), ConversionError);
    EXPECT_THROW(EncodeTone("-88.5"), ConversionError);
    EXPECT_THROW(EncodeTone("D0"), ConversionError);
}

TEST(Tones, NormaliserMakesTypedInputCanonical) {
    const std::pair<const char*, const char*> cases[] = {
        {"300", "290.0"},   {"12", "30.0"},     {"8x", "67.0"},     {"d25", "D250N"},
        {"D9", "D700N"},    {"D0231", "D023N"}, {"d023i", "D023I"}, {"xyz", "67.0"},
        {"", ""},           {"88.54", "88.5"},  {"d", "D000N"},     {"D1234567", "D123N"},
        {"d025i", "D025I"}, {"D88N", "D777N"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(NormaliseTone(in), out) << in;
        EXPECT_NO_THROW(EncodeTone(NormaliseTone(in))) << in;
    }
}

TEST(Tones, TheToneListHoldsEveryStandardCodeInCanonicalForm) {
    const auto& list = ToneList();
    ASSERT_EQ(list.size(), size_t(kToneListSize));
    EXPECT_EQ(list[0], "None");
    EXPECT_EQ(list[1], "67.0");
    EXPECT_EQ(list[50], "254.1");
    EXPECT_EQ(list[51], "D023N");
    EXPECT_EQ(list[156], "D754N");
    EXPECT_EQ(list[157], "D023I");
    EXPECT_EQ(list[262], "D754I");
    for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_EQ(NormaliseTone(list[i]), list[i]);
        const auto [low, high] = EncodeTone(list[i]);
        EXPECT_EQ(DecodeTone(low, high), list[i]);
    }
}

} // namespace
} // namespace zorva
