// The radio's DTMF code texts (PTT ID codes, own ID code, stun code) and the coded lists
// of the DTMF settings whose stored code is not the position of the shown item.
#pragma once

#include "core/TAll.h"

#include <string>

namespace zorva {

// The four code texts; the numbers are those the window's edits carry as their tags.
enum class DtmfCode {
    Begin = 1, // sent at the beginning of a transmission, up to 16 characters
    End = 2,   // sent at the end of a transmission, up to 16 characters
    Id = 3,    // the radio's own ID code, 3 to 6 digits
    Stun = 4,  // the code that stuns the radio, up to 10 characters
};

// Settings bytes (image byte kSettingsBase + n) of the codes.
inline constexpr int kPttIdByte = 32;      // mode 0x03, begin empty 0x04, end empty 0x08
inline constexpr int kPttLengthByte = 35;  // begin length 0x0F, end length 0xF0 (digits - 1)
inline constexpr int kIdDigits = 36;       // 6 digit nibbles
inline constexpr int kStunLengthByte = 40; // the whole byte: number of digits
inline constexpr int kStunDigits = 41;     // 10 digit nibbles
inline constexpr int kBeginDigits = 48;    // 16 digit nibbles
inline constexpr int kEndDigits = 56;      // 16 digit nibbles

inline constexpr uint8_t kPttModeMask = 0x03;
inline constexpr uint8_t kBeginEmptyMask = 0x04;
inline constexpr uint8_t kEndEmptyMask = 0x08;
inline constexpr uint8_t kBeginLengthMask = 0x0F;
inline constexpr uint8_t kEndLengthMask = 0xF0;

// At most `count` characters read nibble by nibble (high nibble first) from settings byte
// `first` on, ending before the first code above `highest`. Never reads past the settings.
std::string ReadDigits(const TALL& all, int first, int count, int highest);

// Stores `text` as `digits` nibbles from settings byte `first` on: extended with "*" and
// cut to `digits` characters, so every nibble after the text holds 15. Sets Modified.
void StoreDigits(TALL& all, int first, int digits, const std::string& text);

// The text a code field shows: empty for an empty begin or end code and for a stun length
// of 0; "000" for an ID code of fewer than three digits.
std::string ReadDtmfCode(const TALL& all, DtmfCode code);

// Stores an edited code text with its empty flag or length, as the radio expects them;
// leading and trailing spaces are ignored. An empty begin or end code only sets its empty
// flag (its digits stay); an ID code is stored with at least three digits, a short one
// filled up with zeros. Sets Modified, also when nothing changed.
void StoreDtmfCode(TALL& all, DtmfCode code, const std::string& text);

// The "* and #" tone list shows "0", "100", "500", "1000"; its 2-bit field stores them as
// 3, 0, 1, 2. -1 for anything else.
int StarToneItemOfCode(int code);
int StarToneCodeOfItem(int item);

} // namespace zorva
