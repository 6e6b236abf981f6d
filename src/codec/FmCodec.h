// FM broadcast frequencies: slots 1..25 and 32 (the current frequency), 25 kHz units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorva {

class TALL;

// MHz of a 16-bit FM value, and its "0.00000" text.
double FmUnitsToMhz(uint16_t units);
std::string FmUnitsText(uint16_t units);

// MHz of slot k as stored, or -1.0 when empty. Reading never changes the image: a value
// outside the scan range or above FmBandHigh is shown as it is and kept until the user types
// another.
double ReadFmChannel(const TALL& all, int slot);
// Stores (or, for an empty text, clears) slot k and returns the text to show. A text that
// is not a number throws ConversionError and leaves the slot as it was.
std::string WriteFmChannel(TALL& all, int slot, std::string_view text);

// Sets a bound of the scan range from a value in MHz and returns the units stored. The lower
// bound: a value below FmBandLow becomes 88.0, then one above `otherBound` (the upper bound
// in effect) becomes that. The upper bound: a value above FmBandHigh becomes 108.0, then one
// below `otherBound` (the lower bound) becomes that. The value is cut down to whole 25 kHz
// units.
uint16_t WriteFmScanBound(TALL& all, bool upper, double mhz, double otherBound);

// A scan bound as the window shows it: "00.000".
std::string FmBoundText(double mhz);

} // namespace zorva
