#include "codec/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zorva {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// from_chars takes no leading "+"; a typed "+5" is still a number.
std::string_view StripPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid number"), text_(text) {}

std::optional<double> ParseNumber(std::string_view text) {
    text = StripPlus(Trim(text));
    if (text.empty()) return std::nullopt;
    // Only digits, sign, "." and an exponent: from_chars would also take "inf" and "nan".
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    text = StripPlus(Trim(text));
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

double ToNumber(std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value) throw ConversionError(std::string(text));
    return *value;
}

int32_t ToInteger(std::string_view text) {
    const auto value = ParseInteger(text);
    if (!value) throw ConversionError(std::string(text));
    return *value;
}

int64_t RoundToInt64(double value) {
    // Far beyond any frequency; keeps llround away from values it cannot represent.
    constexpr double kLimit = 9.0e18;
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return static_cast<int64_t>(kLimit);
    if (value <= -kLimit) return -static_cast<int64_t>(kLimit);
    return std::llround(value);
}

int64_t MhzToUnits(double mhz) {
    return RoundToInt64(mhz * 100000.0);
}

std::string FormatFixed(double value, int decimals) {
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const int64_t scaled = RoundToInt64(value * static_cast<double>(scale));
    const bool negative = scaled < 0;
    const uint64_t magnitude =
        negative ? uint64_t(0) - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / static_cast<uint64_t>(scale));
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % static_cast<uint64_t>(scale));
        text += '.';
        text.append(static_cast<size_t>(decimals) - fraction.size(), '0');
        text += fraction;
    }
    return text;
}

std::string FormatPadded(int64_t value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

uint8_t ParseHexByte(std::string_view twoDigits) {
    if (twoDigits.size() != 2) throw ConversionError(std::string(twoDigits));
    const int high = HexDigit(twoDigits[0]);
    const int low = HexDigit(twoDigits[1]);
    if (high < 0 || low < 0) throw ConversionError(std::string(twoDigits));
    return static_cast<uint8_t>(high * 16 + low);
}

uint32_t ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) throw ConversionError(std::string(digits));
    uint32_t value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) throw ConversionError(std::string(digits));
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

std::string BytesToText(const uint8_t* bytes, int count) {
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
}

} // namespace zorva
