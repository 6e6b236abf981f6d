#include "csv/CsvColumns.h"

#include "codec/FieldRules.h"
#include "codec/ToneList.h"
#include "csv/ChannelCsv.h"

#include <algorithm>

namespace zorva {

const std::vector<std::string>& CsvColumns() {
    static const std::vector<std::string> columns{
        "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
        "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
        "Mode",      "TStep",     "Skip",      "Power",        "Comment",    "URCALL",
        "RPT1CALL",  "RPT2CALL",  "DVCODE",    "BusyLock",     "Vox",        "PttId",
        "Ani",       "IdCode",    "VoiceMode", "Epilogue"};
    return columns;
}

namespace csv {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool IsCtcssOfRadio(const std::string& tone) {
    const auto& tones = CtcssTones();
    return std::find(tones.begin(), tones.end(), tone) != tones.end();
}

bool IsDcsOfRadio(const std::string& code) {
    const auto& codes = DcsCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Byte by byte: a character beyond ASCII is several bytes of UTF-8, none of which the radio has.
bool NameOfRadio(std::string_view name) {
    return std::all_of(name.begin(), name.end(), [](char c) {
        return Accepts(CharSet::Name, static_cast<unsigned char>(c));
    });
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return Accepts(CharSet::Digits, static_cast<unsigned char>(c));
    });
}

} // namespace csv
} // namespace zorva
