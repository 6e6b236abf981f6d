#include "codec/ChannelRecord.h"

#include "codec/FieldRules.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/TextCodec.h"
#include "codec/ToneCodec.h"
#include "core/TAll.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

namespace zorva {

namespace {

// Byte offsets within a record.
constexpr int kRx = 0;
constexpr int kTx = 4;
constexpr int kOffset = 4;
constexpr int kShiftByte = 7;
constexpr int kRxTone = 8;
constexpr int kTxTone = 10;
constexpr int kFlags = 12;
constexpr int kSignalling = 13;
constexpr int kIdCode = 15;
constexpr int kName = 18;
constexpr int kRecordSize = 32;

uint8_t* Record(TALL& all, int channel) {
    return &all.Image[ChannelFieldAddress(channel, 0)];
}

uint32_t ReadU24(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
}

double RecordOffset(const uint8_t* record) {
    return UnitsToMhz(ReadU24(record + kOffset));
}

// Nibble i of the ID code: byte 15 + i / 2, the high nibble first.
uint8_t IdNibble(const uint8_t* record, int i) {
    const uint8_t byte = record[kIdCode + i / 2];
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

void PutIdNibble(uint8_t* record, int i, uint8_t value) {
    uint8_t& byte = record[kIdCode + i / 2];
    byte = i % 2 == 0 ? static_cast<uint8_t>((byte & 0x0F) | (value << 4))
                      : static_cast<uint8_t>((byte & 0xF0) | (value & 0x0F));
}

// The digits up to the first nibble that is none; "000" for fewer than three.
std::string ReadIdCode(const uint8_t* record) {
    std::string code;
    for (int i = 0; i < kIdCodeLength; ++i) {
        const uint8_t nibble = IdNibble(record, i);
        if (nibble > 9) break;
        code += DecodeDtmfDigit(nibble);
    }
    return code.size() < 3 ? "000" : code;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The units of a frequency the 32-bit field can hold, 0 to 21474.83647 MHz. Anything else
// would be stored wrapped, so it is refused as a text that is no number is, before the
// record is touched.
uint32_t StorableUnits(int64_t units, std::string_view text) {
    if (units < 0 || units > std::numeric_limits<int32_t>::max())
        throw ConversionError(std::string(text));
    return static_cast<uint32_t>(units);
}

// Stores a frequency text through the setter and gives back the number it settled on.
double StoreFreq(TALL& all, int channel, int field, double mhz) {
    std::string text = FormatFreq(mhz);
    SetChannelField(all, channel, field, text);
    return text.empty() ? kNoFreq : ToNumber(text);
}

void SetVfoRx(TALL& all, int channel, std::string& text) {
    double rx = ParseFreqText(text);
    if (rx == kNoFreq) rx = NearestBandEdge(all, false, kNoFreq);
    uint8_t* record = Record(all, channel);
    const double offset = RecordOffset(record);
    Raster raster = RasterMode(all);
    if (raster == Raster::Nearer) raster = RasterClass(offset);
    WriteU32(record + kRx, StorableUnits(SnapToRaster(rx, raster), text));
    // The offset follows the raster of the new RX frequency.
    std::string offsetText = FormatFreq(offset);
    SetChannelField(all, channel, kFieldOffset, offsetText);
    text = FormatFreq(rx);
}

void SetMemoryRx(TALL& all, int channel, std::string& text) {
    double rx = ParseFreqText(text);
    if (rx == kNoFreq) {
        all.SetSlotClear(kChannelBitmap, channel, false);
        all.SetSlotClear(kScanBitmap, channel, false);
        uint8_t* record = Record(all, channel);
        std::fill(record, record + kRecordSize, 0xFF);
        text.clear();
        return;
    }
    Raster raster = Raster::Nearer;
    WriteU32(Record(all, channel) + kRx, StorableUnits(SnapToRaster(rx, raster), text));
    all.SetSlotClear(kChannelBitmap, channel, true);
    text = FormatFreq(rx);
}

void SetTx(TALL& all, int channel, std::string& text) {
    double tx = ParseFreqText(text);
    uint8_t* record = Record(all, channel);
    if (tx == kNoFreq) {
        WriteU32(record + kTx, 0xFFFFFFFF);
        text.clear();
        return;
    }
    Raster raster = Raster::Nearer;
    WriteU32(record + kTx, StorableUnits(SnapToRaster(tx, raster), text));
    text = FormatFreq(tx);
}

void SetOffset(TALL& all, int channel, std::string& text) {
    double offset = ParseFreqText(text);
    // A negative offset has no meaning in three unsigned bytes; like a missing one it is 0.
    if (offset < 0.0 || offset > kMaxOffsetMhz) offset = 0.0;
    uint8_t* record = Record(all, channel);
    Raster raster = RasterMode(all);
    if (raster == Raster::Nearer) raster = RasterClass(UnitsToMhz(ReadU32(record + kRx)));
    const auto units = static_cast<uint32_t>(SnapToRaster(offset, raster));
    record[kOffset] = static_cast<uint8_t>(units);
    record[kOffset + 1] = static_cast<uint8_t>(units >> 8);
    record[kOffset + 2] = static_cast<uint8_t>(units >> 16);
    text = FormatFreq(offset);
}

void SetName(uint8_t* record, std::string& text) {
    std::string padded = text.substr(0, kNameLength);
    padded.resize(kNameLength, ' ');
    for (int i = 0; i < kNameLength; ++i) {
        record[kName + i] = EncodeNameChar(padded[i]);
        // A character the radio has no code for is stored as code 32, which it shows as "@":
        // the window shows what was stored.
        padded[i] = DecodeNameChar(record[kName + i]);
    }
    text = TrimRight(padded);
}

void SetIdCode(uint8_t* record, std::string& text) {
    if (text.size() < 3) text = (text + "000").substr(0, 3);
    // The nibbles after the code hold "*" (15), which is no digit: ReadIdCode stops there.
    // Padding the text keeps digits[i] within it for every one of the six nibbles.
    const std::string digits = text + "******";
    for (int i = 0; i < kIdCodeLength; ++i)
        PutIdNibble(record, i, EncodeDtmfDigit(digits[i]));
    // Letters, "#" and characters without a DTMF code (stored as 0) do not read back as typed,
    // nor do digits past the sixth: the window shows what was stored.
    text = ReadIdCode(record);
}

// Decodes the record and stores every field back in canonical form: the repair, and through
// a copy of the image the values LoadChannel shows.
bool LoadAndRepair(TALL& all, int channel, TChannel& c) {
    const bool vfo = IsVfoRecord(channel);
    if (!vfo && !all.IsSlotClear(kChannelBitmap, channel)) return false;
    uint8_t* record = Record(all, channel);

    double rx = UnitsToMhz(ReadU32(record + kRx));
    FreqRangeCheck(all, "", rx);
    c.RxFreq = StoreFreq(all, channel, kFieldRxFreq, rx);

    if (vfo) {
        double offset = RecordOffset(record);
        if (offset > kMaxOffsetMhz) offset = 0.0;
        c.Offset = StoreFreq(all, channel, kFieldOffset, offset);
        c.Shift = GetField(record[kShiftByte], 0x03, 2, 0);
        c.TxFreq = c.Shift == 1   ? c.RxFreq + c.Offset
                   : c.Shift == 2 ? c.RxFreq - c.Offset
                                  : c.RxFreq;
    } else {
        c.Offset = 0.0;
        c.Shift = 0;
        if (record[kShiftByte] & 0x80) {
            c.TxFreq = kNoFreq;
        } else {
            c.TxFreq = StoreFreq(all, channel, kFieldTxFreq, UnitsToMhz(ReadU32(record + kTx)));
            const double difference = c.TxFreq - c.RxFreq;
            c.Shift = difference > 0 ? 1 : difference < 0 ? 2 : 0;
            c.Offset = std::fabs(difference);
        }
    }

    // Decoded tones are canonical, so storing them back cannot fail.
    c.RxTone = DecodeTone(record[kRxTone], record[kRxTone + 1]);
    std::string tone = c.RxTone;
    SetChannelField(all, channel, kFieldRxTone, tone);
    c.TxTone = DecodeTone(record[kTxTone], record[kTxTone + 1]);
    tone = c.TxTone;
    SetChannelField(all, channel, kFieldTxTone, tone);

    const uint8_t flags = record[kFlags];
    c.Power = GetField(flags, 0x04, 1, 1);
    c.Vox = GetField(flags, 0x40, 1, 1);
    c.Bandwidth = GetField(flags, 0x80, 1, 1);
    c.Epilogue = GetField(flags, 0x08, 1, 1);
    c.BusyLock = GetField(flags, 0x10, 1, 1);
    c.VoiceMode = GetField(flags, 0x03, 3, 3) ^ 3;
    c.Reverse = 0;
    c.PttId = GetField(record[kSignalling], 0x30, 3, 3) ^ 3;
    c.Ani = GetField(record[kSignalling], 0x80, 1, 1);

    std::string name;
    for (int i = 0; i < kNameLength; ++i)
        name += DecodeNameChar(record[kName + i]);
    c.Name = TrimRight(name);

    c.IdCode = ReadIdCode(record);

    if (!vfo) c.Scan = all.IsSlotClear(kScanBitmap, channel) ? 0 : 1;
    return true;
}

} // namespace

bool LoadChannel(const TALL& all, int channel, TChannel& c) {
    if (!IsVfoRecord(channel) && !all.IsSlotClear(kChannelBitmap, channel)) return false;
    // What the setters would store is worked out on a copy: one rule for the canonical form,
    // and the image untouched. The setters read only the image and the bands.
    thread_local TALL copy;
    copy.Image = all.Image;
    copy.BandLow = all.BandLow;
    copy.BandHigh = all.BandHigh;
    return LoadAndRepair(copy, channel, c);
}

void RepairChannel(TALL& all, int channel) {
    TChannel c;
    LoadAndRepair(all, channel, c);
}

void RepairImage(TALL& all) {
    const int channels = std::min(all.ChannelCount, kMemoryChannels);
    for (int channel = 1; channel <= channels; ++channel)
        RepairChannel(all, channel);
}

void SetChannelField(TALL& all, int channel, int field, std::string& text) {
    uint8_t* record = Record(all, channel);
    switch (field) {
    case kFieldRxFreq:
        if (IsVfoRecord(channel))
            SetVfoRx(all, channel, text);
        else
            SetMemoryRx(all, channel, text);
        break;
    case kFieldTxFreq:
        SetTx(all, channel, text);
        break;
    case kFieldOffset:
        SetOffset(all, channel, text);
        break;
    case kFieldShift:
        PutField(record[kShiftByte], 0x03, ToInteger(text));
        break;
    case kFieldRxTone:
    case kFieldTxTone: {
        const auto [low, high] = EncodeTone(text);
        const int at = field == kFieldRxTone ? kRxTone : kTxTone;
        record[at] = low;
        record[at + 1] = high;
        // A text not in the canonical form the windows make (".0", "D7FF") is handed back as
        // the tone it was stored as.
        text = DecodeTone(low, high);
        break;
    }
    case kFieldReverse:
        break;
    case kFieldPower:
        PutField(record[kFlags], 0x04, ToInteger(text));
        break;
    case kFieldBandwidth:
        PutField(record[kFlags], 0x80, ToInteger(text));
        break;
    case kFieldBusyLock:
        PutField(record[kFlags], 0x10, ToInteger(text));
        break;
    case kFieldVox:
        PutField(record[kFlags], 0x40, ToInteger(text));
        break;
    case kFieldEpilogue:
        PutField(record[kFlags], 0x08, ToInteger(text));
        break;
    case kFieldAni:
        PutField(record[kSignalling], 0x80, ToInteger(text));
        break;
    case kFieldVoiceMode:
        PutField(record[kFlags], 0x03, ToInteger(text) ^ 3);
        break;
    case kFieldPttId:
        PutField(record[kSignalling], 0x30, ToInteger(text) ^ 3);
        break;
    case kFieldScan:
        all.SetSlotClear(kScanBitmap, channel, text == "0");
        break;
    case kFieldName:
        SetName(record, text);
        break;
    case kFieldIdCode:
        SetIdCode(record, text);
        break;
    default:
        break;
    }
}

int FieldOf(OnFlag flag) {
    switch (flag) {
    case OnFlag::BusyLock:
        return kFieldBusyLock;
    case OnFlag::Vox:
        return kFieldVox;
    case OnFlag::Ani:
        return kFieldAni;
    case OnFlag::Scan:
        break;
    }
    return kFieldScan;
}

bool IsOn(const TChannel& c, OnFlag flag) {
    switch (flag) {
    case OnFlag::BusyLock:
        return c.BusyLock == 0;
    case OnFlag::Vox:
        return c.Vox == 0;
    case OnFlag::Ani:
        return c.Ani == 0;
    case OnFlag::Scan:
        break;
    }
    return c.Scan == 0;
}

void SetOn(TALL& all, int channel, OnFlag flag, bool on) {
    std::string text = on ? "0" : "1";
    SetChannelField(all, channel, FieldOf(flag), text);
}

const std::array<const char*, 2>& FlagTexts(OnFlag flag) {
    static constexpr std::array<const char*, 2> kBusyLock{"On", "Off"};
    static constexpr std::array<const char*, 2> kVox{"Yes", "No"};
    static constexpr std::array<const char*, 2> kAni{"ON", "OFF"};
    static constexpr std::array<const char*, 2> kScan{"Add", "Del"};
    switch (flag) {
    case OnFlag::BusyLock:
        return kBusyLock;
    case OnFlag::Vox:
        return kVox;
    case OnFlag::Ani:
        return kAni;
    case OnFlag::Scan:
        break;
    }
    return kScan;
}

const char* FlagText(const TChannel& c, OnFlag flag) {
    return FlagTexts(flag)[IsOn(c, flag) ? 0 : 1];
}

void InitNewChannel(TALL& all, int channel, const std::string& rxText) {
    std::string rx = rxText;
    SetChannelField(all, channel, kFieldRxFreq, rx);
    std::string tx = rx;
    SetChannelField(all, channel, kFieldTxFreq, tx);
    static constexpr std::pair<int, const char*> kDefaults[] = {
        {kFieldRxTone, ""},    {kFieldTxTone, ""},    {kFieldPower, "1"}, {kFieldBandwidth, "1"},
        {kFieldScan, "1"},     {kFieldBusyLock, "1"}, {kFieldVox, "1"},   {kFieldVoiceMode, "0"},
        {kFieldEpilogue, "1"}, {kFieldPttId, "0"},    {kFieldAni, "1"},   {kFieldName, ""},
        {kFieldIdCode, ""},
    };
    for (const auto& [field, value] : kDefaults) {
        std::string text = value;
        SetChannelField(all, channel, field, text);
    }
}

} // namespace zorva
