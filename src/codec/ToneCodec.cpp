#include "codec/ToneCodec.h"

#include "codec/Numbers.h"

#include <algorithm>
#include <cctype>

namespace zorva {

namespace {

constexpr uint8_t kNoToneByte = 0xFF;
constexpr double kLowestTone = 30.0;
constexpr double kHighestTone = 290.0;

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

} // namespace

std::string DecodeTone(uint8_t low, uint8_t high) {
    if (high == kNoToneByte) return {};
    if (high & 0x80) {
        std::string text = "D";
        text += static_cast<char>('0' + (high & 7));
        text += static_cast<char>('0' + ((low >> 4) & 7));
        text += static_cast<char>('0' + (low & 7));
        text += (high & 0x40) ? 'I' : 'N';
        return text;
    }
    // CTCSS: four BCD digits of the tone in tenths of Hz. A nibble above 9 is a damaged code,
    // which reads as no tone rather than stopping the whole decode.
    const int nibbles[4] = {high >> 4, high & 0x0F, low >> 4, low & 0x0F};
    int tenths = 0;
    for (int nibble : nibbles) {
        if (nibble > 9) return {};
        tenths = tenths * 10 + nibble;
    }
    return FormatFixed(tenths / 10.0, 1);
}

std::pair<uint8_t, uint8_t> EncodeTone(std::string_view text) {
    if (text.empty()) return {kNoToneByte, kNoToneByte};
    if (text.front() == 'D') {
        if (text.size() < 4) throw ConversionError(std::string(text));
        const uint8_t first = ParseHexByte(std::string{'0', text[1]});
        const uint8_t rest = ParseHexByte(text.substr(2, 2));
        const bool inverted = text.size() > 4 && text[4] == 'I';
        return {rest, static_cast<uint8_t>(0x80 + first + (inverted ? 0x40 : 0))};
    }
    const std::string digits = FormatPadded(RoundToInt64(ToNumber(text) * 10.0), 4);
    return {ParseHexByte(std::string_view(digits).substr(2, 2)),
            ParseHexByte(std::string_view(digits).substr(0, 2))};
}

std::string NormaliseTone(std::string_view text) {
    if (text.empty()) return {};
    const char first = text.front();
    if (first >= '0' && first <= '9') {
        const auto tone = ParseNumber(text);
        if (!tone) return "67.0";
        return FormatFixed(std::clamp(*tone, kLowestTone, kHighestTone), 1);
    }
    if (first == 'D' || first == 'd') {
        std::string code(text.substr(0, 5));
        while (code.size() < 4)
            code += '0';
        if (code.size() == 4) code += 'N';
        for (int i = 1; i <= 3; ++i)
            if (!IsOctalDigit(code[i])) code[i] = '7';
        const char polarity = code[4];
        if (polarity != 'I' && polarity != 'N' && polarity != 'i' && polarity != 'n') code[4] = 'N';
        std::transform(code.begin(), code.end(), code.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return code;
    }
    return "67.0";
}

} // namespace zorva
