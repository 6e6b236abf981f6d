// The radio's two character codes: names (one byte per character) and DTMF digits
// (one nibble per digit).
#pragma once

#include <cstdint>

namespace zorva {

// " ".."z" are stored as code - 32; anything else as 32. Texts in the model layer are one
// byte per character; a byte above 0x7E is the Latin-1 character of that number.
uint8_t EncodeNameChar(char c);
// 0..122 read back as code + 32; anything larger as a space.
char DecodeNameChar(uint8_t code);

// "1".."9" = 1..9, "A".."D" = 10..13, "#" = 14, "*" = 15, anything else 0.
uint8_t EncodeDtmfDigit(char c);
char DecodeDtmfDigit(uint8_t code);

} // namespace zorva
