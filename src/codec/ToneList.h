// The tones every tone list offers: "None", the 50 standard CTCSS tones, then the 106 standard
// DCS codes in normal and then in inverted polarity (263 texts).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorva {

inline constexpr int kToneListSize = 263;

const std::vector<std::string>& ToneList();
// The standard CTCSS tones ("67.0" ...) and DCS codes ("023" ...), in list order.
const std::vector<std::string>& CtcssTones();
const std::vector<std::string>& DcsCodes();
// Whether a tone text in canonical form ("88.5", "D023N") is one of the radio's tones.
bool IsRadioTone(std::string_view tone);
// A typed tone ("88.5", "88.50", "67", "d025i", "D023" for normal polarity) in canonical form
// when it is exactly one of the radio's tones; nullopt for anything else ("88.4", "88.54",
// "D024N", "xyz").
std::optional<std::string> RadioToneOf(std::string_view typed);

} // namespace zorva
