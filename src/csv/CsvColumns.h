// The columns of the channel CSV, in the order export writes them, and the value rules export
// and import share: what a column holds when the channel gives it nothing, the radio's tones
// and the characters of a name.
#pragma once

#include <string>
#include <string_view>

namespace zorva::csv {

// Column positions in the export's order (CsvColumns()).
enum Column {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrCall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kBusyLock,
    kVox,
    kPttId,
    kAni,
    kIdCode,
    kVoiceMode,
    kEpilogue,
    kColumnCount
};

// What a tone column holds when the channel's tone mode does not use it.
inline constexpr const char* kNoTxTone = "88.5";
inline constexpr const char* kNoDcs = "023";

// The CSV's own words for the fields whose values the channel table words otherwise.
inline constexpr const char* kModes[] = {"NFM", "FM"}; // by the bandwidth value
inline constexpr const char* kSkipMarks[] = {"S", "P"};

std::string Lower(std::string_view text);
// Without the blanks and tabs around it.
std::string Trim(std::string_view text);

bool IsCtcssOfRadio(const std::string& tone);
bool IsDcsOfRadio(const std::string& code);
// Every byte is a character the radio's display has.
bool NameOfRadio(std::string_view name);
bool AllDigits(std::string_view text);
// UTF-8 `text` with each accented Latin letter as its plain letter (é as e); `changed` is set
// when one was. Other characters stay as they are.
std::string PlainLetters(std::string_view text, bool& changed);

} // namespace zorva::csv
