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

// MHz of slot k, or -1.0 when empty. A value outside the scan range is replaced by the lower
// bound and written back.
double ReadFmChannel(TALL& all, int slot);
// Stores (or, for an empty text, clears) slot k and returns the text to show. A text that
// is not a number throws ConversionError and leaves the slot as it was.
std::string WriteFmChannel(TALL& all, int slot, std::string_view text);

} // namespace zorva
