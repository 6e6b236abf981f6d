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

std::string PlainLetters(std::string_view text, bool& changed) {
    // The plain letter of U+00C0 to U+017F; "." for a character that is no accented letter
    // (ligatures, signs, letters of their own such as the sharp s).
    static constexpr std::string_view kPlain = "AAAAAA.CEEEEIIII"
                                               "DNOOOOO.OUUUUY.."
                                               "aaaaaa.ceeeeiiii"
                                               "dnooooo.ouuuuy.y"
                                               "AaAaAaCcCcCcCcDd"
                                               "DdEeEeEeEeEeGgGg"
                                               "GgGgHhHhIiIiIiIi"
                                               "Ii..JjKk.LlLlLlL"
                                               "lLlNnNnNn...OoOo"
                                               "Oo..RrRrRrSsSsSs"
                                               "SsTtTtTtUuUuUuUu"
                                               "UuUuWwYyYZzZzZz.";
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead & 0xE0) == 0xC0 && i + 1 < text.size()) {
            const unsigned code =
                (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            if (code >= 0xC0 && code < 0xC0 + kPlain.size() && kPlain[code - 0xC0] != '.') {
                plain += kPlain[code - 0xC0];
                changed = true;
                ++i;
                continue;
            }
        }
        plain += text[i];
    }
    return plain;
}

} // namespace csv
} // namespace zorva
