// Image-wide fields kept consistent with the application state: the model block, the band
// ranges, the write time and the range of the function settings; and the sequences in
// which the program runs them.
#pragma once

#include <string>
#include <string_view>

namespace zorva {

class TALL;
class TMacList;

// Local date and time as "yyyy-MM-dd HH:mm:ss".
std::string CurrentTimeText();

void NewImage(TALL& all, const std::string& timeText);
void ChooseBandRanges(TALL& all, const TMacList& macList);
// The ident must name a catalogue entry; returns false (and changes nothing) otherwise.
bool SelectModel(TALL& all, const TMacList& macList, const std::string& ident, bool stamp);
void StampModelBlock(TALL& all);
void WriteBandRanges(TALL& all);
void DeriveBandRanges(TALL& all, const TMacList& macList);
void SanitiseSettings(TALL& all);
// Throws ConversionError when the text is not "yyyy-MM-dd HH:mm:ss".
void StampWriteTime(TALL& all, std::string_view timeText);
std::string WriteTimeText(const TALL& all);
// The radio's 16 serial-number characters: letters upper-cased, digits kept, anything else a
// space.
std::string SerialNumberText(const TALL& all);

// The calling orders. `timeText` is the current local time (CurrentTimeText()).
void FirstShowingSequence(TALL& all, const TMacList& macList, const std::string& timeText);
void NewCommandSequence(TALL& all, const TMacList& macList, const std::string& timeText);
// After the image blocks and the manual frequency flag were taken over from the radio.
void AfterReadSequence(TALL& all, const TMacList& macList, const std::string& radioIdent);
void AfterLoadSequence(TALL& all, const TMacList& macList, const std::string& fileIdent);

} // namespace zorva
