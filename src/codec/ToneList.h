// The tones every tone list offers: "None", the 50 standard CTCSS tones, then the 106 standard
// DCS codes in normal and then in inverted polarity (263 texts).
#pragma once

#include <string>
#include <vector>

namespace zorva {

inline constexpr int kToneListSize = 263;
inline constexpr int kCtcssCount = 50;
inline constexpr int kDcsCount = 106;

const std::vector<std::string>& ToneList();
// The standard CTCSS tones ("67.0" ...) and DCS codes ("023" ...), in list order.
const std::vector<std::string>& CtcssTones();
const std::vector<std::string>& DcsCodes();

} // namespace zorva
