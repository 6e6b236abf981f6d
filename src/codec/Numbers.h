// Locale-independent number texts: "." is the decimal separator whatever the system says,
// halves round away from zero. Nothing here depends on the C or C++ locale.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorva {

// A text that should be a number but is not. Codecs throw it; windows catch it and show
// the field again, so a failed conversion never escapes to the event loop.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// A decimal number ("145.5", "-1", " 12 ", "+3"); nullopt for anything else, including
// empty texts, "nan" and "inf".
std::optional<double> ParseNumber(std::string_view text);
// A decimal integer with optional sign and surrounding blanks; nullopt otherwise or when
// it does not fit in 32 bits.
std::optional<int32_t> ParseInteger(std::string_view text);

// The same, throwing ConversionError.
double ToNumber(std::string_view text);
int32_t ToInteger(std::string_view text);

// Round half away from zero, saturating instead of overflowing.
int64_t RoundToInt64(double value);

// MHz to 10 Hz units and back.
int64_t MhzToUnits(double mhz);
inline double UnitsToMhz(int64_t units) {
    return static_cast<double>(units) / 100000.0;
}

// Fixed-point text with `decimals` digits after ".", for example FormatFixed(145.5, 5)
// is "145.50000" and FormatFixed(88.5, 1) is "88.5".
std::string FormatFixed(double value, int decimals);
// The "0.00000" form of a frequency.
inline std::string FormatFreq(double mhz) {
    return FormatFixed(mhz, 5);
}
// An integer with at least `width` digits ("0000" style).
std::string FormatPadded(int64_t value, int width);

// Two hexadecimal digits to a byte; a text of hexadecimal digits to an integer.
// Both throw ConversionError on anything else.
uint8_t ParseHexByte(std::string_view twoDigits);
uint32_t ParseHex(std::string_view digits);

// One character per byte, unchanged.
std::string BytesToText(const uint8_t* bytes, int count);

} // namespace zorva
