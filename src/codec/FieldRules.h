// What a field takes: its characters, its length and its range. Every window, the CSV and
// the command-line companion ask here, so a value one of them takes the others take too.
#pragma once

#include <cstdint>

namespace zorva {

// Characters of a channel's name and ID code, in the record.
inline constexpr int kNameLength = 7;
inline constexpr int kIdCodeLength = 6;
// "999.99999"; a TX typed as an offset ("+5", "-0.6") is shorter.
inline constexpr int kFreqTextLength = 9;
// The largest repeater offset and VFO step a user may give; the channel codec stores a larger
// offset as none.
inline constexpr double kMaxOffsetMhz = 99.995;
inline constexpr int64_t kMaxOffsetUnits = 9999500; // in 10 Hz units

// The kinds of typed text. Digits are ASCII digits everywhere: the radio's codes know no
// others, and a digit of another script would only be refused later, unexplained.
enum class CharSet {
    Frequency, // 0-9 and the decimal point ("," is taken as ".")
    Digits,    // 0-9
    Name,      // the printable characters the radio's display has: ' ' to 'z'
    Tone,      // a CTCSS value or a DCS code: 0-9, ".", D, I, N (either case)
    Dtmf,      // 0-9, A-D (either case), '*', '#'
};

// The character a typed `c` becomes in a field of `set`: itself, "." for a "," in a
// frequency, an upper-case DTMF letter; 0 when the field does not take it.
char32_t AcceptedChar(CharSet set, char32_t c);
inline bool Accepts(CharSet set, char32_t c) {
    return AcceptedChar(set, c) != 0;
}

} // namespace zorva
