#include "codec/Numbers.h"

#include <clocale>
#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(NumberTexts, ParseAcceptsDecimalsAndRefusesEverythingElse) {
    EXPECT_EQ(ParseNumber("145.5"), 145.5);
    EXPECT_EQ(ParseNumber(" 12 "), 12.0);
    EXPECT_EQ(ParseNumber("+3"), 3.0);
    EXPECT_EQ(ParseNumber("-1"), -1.0);
    EXPECT_EQ(ParseNumber("1e2"), 100.0);
    for (const char* bad : {"", " ", "1.2.3", "145,5", "abc", "nan", "inf", "12x", "+", "+-1", "."})
        EXPECT_FALSE(ParseNumber(bad)) << bad;
    EXPECT_THROW(ToNumber("1.2.3"), ConversionError);
    EXPECT_EQ(ParseInteger(" 7"), 7);
    EXPECT_FALSE(ParseInteger("7.0"));
    EXPECT_FALSE(ParseInteger("99999999999"));
    EXPECT_THROW(ToInteger("x"), ConversionError);
}

TEST(NumberTexts, FormattingRoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatFreq(145.5), "145.50000");
    EXPECT_EQ(FormatFreq(-1.0), "-1.00000");
    EXPECT_EQ(FormatFreq(0.0), "0.00000");
    EXPECT_EQ(FormatFreq(21474.83647), "21474.83647");
    EXPECT_EQ(FormatFixed(88.5, 1), "88.5");
    EXPECT_EQ(FormatFixed(0.25, 1), "0.3");
    EXPECT_EQ(FormatFixed(-0.25, 1), "-0.3");
    EXPECT_EQ(FormatPadded(885, 4), "0885");
    EXPECT_EQ(FormatPadded(12345, 4), "12345");
    EXPECT_EQ(MhzToUnits(145.50025), 14550025);
    EXPECT_EQ(MhzToUnits(1e300), 9000000000000000000);
}

TEST(NumberTexts, TheSystemLocaleDoesNotChangeTheDecimalSeparator) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    // A comma locale if the machine has one; the texts must not change either way.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(ParseNumber("145.50000"), 145.5);
    EXPECT_EQ(FormatFreq(145.5), "145.50000");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberTexts, HexParsing) {
    EXPECT_EQ(ParseHexByte("08"), 0x08);
    EXPECT_EQ(ParseHexByte("aF"), 0xAF);
    EXPECT_THROW(ParseHexByte("0g"), ConversionError);
    EXPECT_THROW(ParseHexByte("123"), ConversionError);
    EXPECT_EQ(ParseHex("7E8"), 0x7E8u);
    EXPECT_THROW(ParseHex(""), ConversionError);
    const uint8_t bytes[] = {'K', 'Q', 0x00, 0xFF};
    EXPECT_EQ(BytesToText(bytes, 4), std::string("KQ\0\xFF", 4));
}

} // namespace
} // namespace zorva
