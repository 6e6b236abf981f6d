// CTCSS and DCS tones: two image bytes <-> "88.5" / "D023N" texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace zorva {

// Empty text for no tone. A damaged CTCSS code (a nibble above 9) also decodes as no tone.
std::string DecodeTone(uint8_t low, uint8_t high);
// Canonical text (as NormaliseTone makes it) to (low, high). Throws ConversionError on a
// text that is not a tone.
std::pair<uint8_t, uint8_t> EncodeTone(std::string_view text);
// Typed input to the canonical form; never fails.
std::string NormaliseTone(std::string_view text);

} // namespace zorva
