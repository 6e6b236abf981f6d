// Channel records: 128 memory channels and the two frequency-mode (VFO) records, 32 bytes
// each, decoded into a TChannel and encoded field by field from their text forms.
#pragma once

#include "core/TChannel.h"

#include <array>
#include <cstdint>
#include <string>

namespace zorva {

class TALL;

// Channel field ids; they double as the rows of the channel table's column catalogue.
enum ChannelField : int {
    kFieldRxFreq = 2,
    kFieldTxFreq = 3,
    kFieldOffset = 4,
    kFieldShift = 5,
    kFieldRxTone = 6,
    kFieldTxTone = 7,
    kFieldReverse = 8,
    kFieldPower = 9,
    kFieldBandwidth = 10,
    kFieldScan = 11,
    kFieldBusyLock = 12,
    kFieldVox = 13,
    kFieldVoiceMode = 14,
    kFieldEpilogue = 15,
    kFieldPttId = 16,
    kFieldAni = 17,
    kFieldName = 18,
    kFieldIdCode = 19,
};

inline bool IsVfoRecord(int channel) {
    return channel > 128;
}

// The channel flags the record stores as 0 for "on": busy lock, VOX, ANI and the scan list
// (0 = the channel is scanned).
enum class OnFlag { BusyLock, Vox, Ani, Scan };

// The channel field that holds the flag.
int FieldOf(OnFlag flag);
bool IsOn(const TChannel& c, OnFlag flag);
// Stores the flag into channel `channel` of the image.
void SetOn(TALL& all, int channel, OnFlag flag, bool on);
// The texts of the flag's two stored values, indexed by the value (0, "on", first), in
// English: the channel table's lists show them (translated) and zorva-cli prints them.
const std::array<const char*, 2>& FlagTexts(OnFlag flag);
const char* FlagText(const TChannel& c, OnFlag flag);

// Decodes channel n into c and returns true, or returns false for an empty memory channel
// (c untouched). The values are those of the record in canonical form (frequencies in a band
// and on their raster, offset and tones as the setters store them), as RepairChannel would
// leave it; the image is never changed. Never throws.
bool LoadChannel(const TALL& all, int channel, TChannel& c);

// Stores record n back in the canonical form LoadChannel shows; an empty memory channel is
// left alone.
void RepairChannel(TALL& all, int channel);
// The repair an image gets once when it enters the program (made, opened, read, imported):
// every memory channel in canonical form, as the channel table has always shown and kept them.
// The frequency-mode records are repaired when they are next stored.
void RepairImage(TALL& all);

// Encodes one field from its text form and hands back the normalised text. Throws
// ConversionError for a text that should be a number and is not; the record is then
// unchanged. Does not set Modified; the calling window does.
void SetChannelField(TALL& all, int channel, int field, std::string& text);

// Puts an empty memory channel in use with the RX frequency `rxText` and default values.
void InitNewChannel(TALL& all, int channel, const std::string& rxText);

} // namespace zorva
