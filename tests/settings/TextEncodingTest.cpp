#include "settings/TextEncoding.h"

#include <gtest/gtest.h>
#include <string>

namespace zorva {
namespace {

TEST(TextEncodingTest, Utf8ValidationIsStrict) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9"));         // é
    EXPECT_TRUE(IsValidUtf8("\xE4\xB8\xAD"));     // 中
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x93\xBB")); // a 4-byte character
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF")); // U+10FFFF

    const struct {
        const char* name;
        std::string bytes;
    } bad[] = {
        {"overlong 2-byte", "\xC0\xAF"},         {"overlong 3-byte", "\xE0\x80\xAF"},
        {"overlong 4-byte", "\xF0\x80\x80\xAF"}, {"surrogate", "\xED\xA0\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"}, {"truncated at end", "ab\xE4\xB8"},
        {"stray continuation", "a\x80"},         {"invalid byte", "\xFF"},
        {"lead without continuation", "\xC3("},
    };
    for (const auto& row : bad)
        EXPECT_FALSE(IsValidUtf8(row.bytes)) << row.name;
}

TEST(TextEncodingTest, ToUtf8KeepsUtf8AndConvertsGb18030) {
    EXPECT_EQ(ToUtf8("Channel \xE4\xB8\xAD"), "Channel \xE4\xB8\xAD");
    EXPECT_EQ(ToUtf8("\xEF\xBB\xBF[Language]"), "[Language]");
    // "中文" in GB18030, and a four-byte GB18030 sequence (U+0080).
    EXPECT_EQ(ToUtf8("x=\xD6\xD0\xCE\xC4"), "x=\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(ToUtf8("\x81\x30\x81\x30"), "\xC2\x80");
}

TEST(TextEncodingTest, UndecodableBytesBecomeReplacementCharacters) {
    // 0xFF is no GB18030 lead byte; the text around it survives.
    EXPECT_EQ(ToUtf8("A\xFF\xD6\xD0"), "A\xEF\xBF\xBD\xE4\xB8\xAD");
    // A double-byte character cut off at the end of the file.
    EXPECT_EQ(ToUtf8("AB\xD6"), "AB\xEF\xBF\xBD");
    // After a BOM the file is UTF-8: a damaged byte is not read as GB18030.
    EXPECT_EQ(ToUtf8("\xEF\xBB\xBF\xE4\xB8\xAD\xD6\xD0"), "\xE4\xB8\xAD\xEF\xBF\xBD\xEF\xBF\xBD");
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    EXPECT_TRUE(IsValidUtf8(ToUtf8(everyByte + everyByte)));
}

TEST(TextEncodingTest, Latin1MapsEveryByteToTheSameCodePoint) {
    EXPECT_EQ(Latin1ToUtf8("A\x7F\x80\xE9\xFF"), "A\x7F\xC2\x80\xC3\xA9\xC3\xBF");
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    const std::string utf8 = Latin1ToUtf8(everyByte);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(utf8.size(), 128u + 2u * 128u);
}

} // namespace
} // namespace zorva
