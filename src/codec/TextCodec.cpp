#include "codec/TextCodec.h"

namespace zorva {

uint8_t EncodeNameChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return (code >= 0x20 && code <= 0x7A) ? static_cast<uint8_t>(code - 32) : 32;
}

char DecodeNameChar(uint8_t code) {
    return code <= 122 ? static_cast<char>(code + 32) : ' ';
}

uint8_t EncodeDtmfDigit(char c) {
    if (c >= '1' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'D') return static_cast<uint8_t>(c - 'A' + 10);
    if (c == '#') return 14;
    if (c == '*') return 15;
    return 0;
}

char DecodeDtmfDigit(uint8_t code) {
    static constexpr char kDigits[] = "0123456789ABCD#*";
    return kDigits[code & 0x0F];
}

} // namespace zorva
