#include "codec/DerivedFields.h"

#include "codec/DtmfCodes.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/OptionCodes.h"
#include "core/MacType.h"
#include "core/TAll.h"

#include <algorithm>
#include <ctime>

namespace zorva {

namespace {

// FM bitmap, FM scan range and settings 0 to 39 of a new image.
constexpr uint8_t kNewImageDefaults[48] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xBD, 0xFA, 0xFC, 0x65,
    0x94, 0x16, 0x00, 0x0C, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF1, 0x32, 0xD0, 0xEF, 0xFA, 0xF5, 0xFF, 0x00, 0x0F, 0xFF, 0xFF};

struct SettingRange {
    SettingField field;
    int low, high, def;
};

// Each function setting field, its allowed range and the default that replaces anything else.
constexpr SettingRange kSettingRanges[] = {
    {{0, 0xFF}, 0, 127, 0},
    {{1, 0xFF}, 0, 127, 0},
    {{2, 0xFF}, 0, 24, 0},
    {kColour, 0, 2, 2},
    {kLamp, 0, 2, 2},
    {kSquelch, 0, 9, 5},
    {kTxTimeOut, 0, 12, 6},
    {kVoxGain, 0, 8, 4},
    {kVfoStep, 0, 8, 5},
    {kFmStep, 0, 3, 1},
    {kScanMode, 0, 2, 0},
    {kScanSpeed, 0, 8, 1},
    {kDropoutDelay, 0, 27, 12},
    {kPriorityChannel, 0, 129, 0},
    {kOpenShow, 0, 2, 2},
    {kSuperSave, 0, 9, 5},
    {kDtmfSpeed, 0, 11, 2},
    {kDtmfFirstDigitTime, 0, 10, 0},
    {kDtmfFirstDigitDelay, 0, 9, 0},
    {kDtmfGroupCode, 0, 6, 0},
    {kDtmfStarTone, 0, 3, 3},
    {kDtmfResetTime, 0, 15, 15},
    {kDtmfTranspond, 0, 2, 1},
    {kDtmfDecodeTimeOut, 0, 10, 5},
    {kDtmfCodeSpace, 0, 15, 15},
    {{kStunLengthByte, 0xFF}, 0, 10, 0},
};

constexpr uint16_t kFmScanMin = 2800;         // 70.0 MHz
constexpr uint16_t kFmScanMax = 4560;         // 114.0 MHz
constexpr uint16_t kFmScanDefaultLow = 3520;  // 88.0 MHz
constexpr uint16_t kFmScanDefaultHigh = 4320; // 108.0 MHz

int BandLowOffset(int band) {
    return kBandRanges + 8 * band;
}
int BandHighOffset(int band) {
    return kBandRanges + 8 * band + 4;
}

double SnappedBandEdge(const TALL& all, int offset) {
    double mhz = UnitsToMhz(all.U32At(offset));
    Raster raster = Raster::Step2500Hz;
    SnapToRaster(mhz, raster);
    return mhz;
}

std::string BuildBandSummary(const TALL& all) {
    std::string summary;
    for (int band = 0; band < kBands; ++band) {
        if (!BandInUse(all, band)) continue;
        summary += FormatFreq(all.BandLow[band]) + " - " + FormatFreq(all.BandHigh[band]) + "/";
    }
    if (!summary.empty()) summary.pop_back();
    return summary + "MHz";
}

// Digits at [from, from + count) of the time text; ConversionError when they are not digits.
int TimeField(std::string_view text, size_t from, size_t count) {
    if (text.size() < from + count) throw ConversionError(std::string(text));
    const std::string_view digits = text.substr(from, count);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw ConversionError(std::string(text));
    return ToInteger(digits);
}

} // namespace

std::string CurrentTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

void NewImage(TALL& all, const std::string& timeText) {
    std::fill(all.Image.begin(), all.Image.begin() + kRadioBytes, 0xFF);
    std::copy(std::begin(kNewImageDefaults), std::end(kNewImageDefaults),
              all.Image.begin() + kFmBitmap);
    all.ManualFreqFlag = all.ManualFreqDefault;
    SanitiseSettings(all);
    // The FM receiver's current frequency is always in use: an erased word is no frequency
    // it can tune, so a new image starts it at the lower bound of the scan range.
    all.PutU16At(kFmSlots + 2 * (kFmCurrentSlot - 1), all.U16At(kFmScanLow));
    StampWriteTime(all, timeText);
}

void ChooseBandRanges(TALL& all, const TMacList& macList) {
    const TMacType* entry = macList.FindByIdent(all.ImageModelIdent);
    if (!entry) return;
    const bool useLimits = entry->DefaultBandMask == entry->BandMask;
    for (int band = 0; band < kBands; ++band) {
        const auto [low, high] = entry->GetRange(band, useLimits);
        all.BandLow[band] = low;
        all.BandHigh[band] = high;
    }
    all.BandMask = useLimits ? entry->BandMask : entry->DefaultBandMask;
}

bool SelectModel(TALL& all, const TMacList& macList, const std::string& ident, bool stamp) {
    const TMacType* entry = macList.FindByIdent(ident);
    if (!entry) return false;
    all.ModelName = entry->Name;
    all.ImageModelIdent = entry->Ident;
    all.ChannelCount = entry->ChannelCount;
    all.ModelBandMask = entry->BandMask;
    if (stamp) StampModelBlock(all);
    return true;
}

void StampModelBlock(TALL& all) {
    all.Image[kModelBlock] = 0x50;
    std::string ident = all.ImageModelIdent.substr(0, 4);
    ident.resize(4, ' ');
    std::copy(ident.begin(), ident.end(), all.Image.begin() + kModelBlock + 1);
    all.Image[kManualFreqByte] = all.ManualFreqFlag;
    all.Image[kBandMaskByte] = all.BandMask;
    all.Image[kModelBlock + 7] = 0;
}

void WriteBandRanges(TALL& all) {
    for (int band = 0; band < kBands; ++band) {
        all.PutU32At(BandLowOffset(band), static_cast<uint32_t>(MhzToUnits(all.BandLow[band])));
        all.PutU32At(BandHighOffset(band), static_cast<uint32_t>(MhzToUnits(all.BandHigh[band])));
    }
}

void DeriveBandRanges(TALL& all, const TMacList& macList) {
    unsigned mask = all.Image[kBandMaskByte] & all.ModelBandMask;
    if (mask == 0) mask = all.ModelBandMask;
    const TMacType* entry = macList.FindByIdent(all.ImageModelIdent);
    if (!entry) return;
    for (int band = 0; band < kBands; ++band) {
        const int shift = 2 * band;
        unsigned use = (mask >> shift) & 3;
        const auto [limitLow, limitHigh] = entry->GetLimits(band);
        if (use == 0) {
            all.BandLow[band] = 0.0;
            all.BandHigh[band] = 0.0;
            continue;
        }
        if (use == 1) {
            const double low = SnappedBandEdge(all, BandLowOffset(band));
            const double high = SnappedBandEdge(all, BandHighOffset(band));
            // In 10 Hz units, so that an edge on a limit is never refused by a rounding.
            const int64_t lowUnits = MhzToUnits(low), highUnits = MhzToUnits(high);
            const int64_t lowest = MhzToUnits(limitLow), highest = MhzToUnits(limitHigh);
            const bool refused = lowUnits > highUnits || lowUnits < lowest || highUnits > highest;
            if (!refused) {
                all.BandLow[band] = low;
                all.BandHigh[band] = high;
                continue;
            }
        }
        all.BandLow[band] = limitLow;
        all.BandHigh[band] = limitHigh;
        mask |= 3u << shift;
    }
    all.BandMask = static_cast<uint8_t>(mask);
    all.BandSummary = BuildBandSummary(all);
}

void SanitiseSettings(TALL& all) {
    for (const auto& range : kSettingRanges)
        all.ClampSetting(range.field.setting, range.field.mask, range.low, range.high, range.def);
    all.Setting(46) = 0xFF;
    all.Setting(47) = 0xFF;
    const uint16_t low = all.U16At(kFmScanLow);
    const uint16_t high = all.U16At(kFmScanHigh);
    const auto outside = [](uint16_t v) { return v < kFmScanMin || v > kFmScanMax; };
    if (outside(low) || outside(high) || low >= high) {
        all.PutU16At(kFmScanLow, kFmScanDefaultLow);
        all.PutU16At(kFmScanHigh, kFmScanDefaultHigh);
    }
}

void StampWriteTime(TALL& all, std::string_view timeText) {
    // Check every field before storing any, so a bad text leaves the old time whole.
    const int fields[6] = {TimeField(timeText, 0, 4),  TimeField(timeText, 5, 2),
                           TimeField(timeText, 8, 2),  TimeField(timeText, 11, 2),
                           TimeField(timeText, 14, 2), TimeField(timeText, 17, 2)};
    all.PutU16At(kWriteTime, static_cast<uint16_t>(fields[0]));
    for (int i = 1; i < 6; ++i)
        all.Image[kWriteTime + 1 + i] = static_cast<uint8_t>(fields[i]);
}

std::string WriteTimeText(const TALL& all) {
    const auto& image = all.Image;
    std::string text = std::to_string(all.U16At(kWriteTime));
    static constexpr const char* kSeparators[5] = {"-", "-", " ", ":", ":"};
    for (int i = 0; i < 5; ++i)
        text += kSeparators[i] + FormatPadded(image[kWriteTime + 2 + i], 2);
    return text;
}

std::string SerialNumberText(const TALL& all) {
    std::string serial;
    for (int i = 0; i < kSerialLength; ++i) {
        const char c = static_cast<char>(all.Image[kSerialNumber + i]);
        if (c >= 'a' && c <= 'z')
            serial += static_cast<char>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            serial += c;
        else
            serial += ' ';
    }
    return serial;
}

void FirstShowingSequence(TALL& all, const TMacList& macList, const std::string& timeText) {
    if (const TMacType* first = macList.Items(0)) all.ImageModelIdent = first->Ident;
    NewImage(all, timeText);
    ChooseBandRanges(all, macList);
    SelectModel(all, macList, all.ImageModelIdent, true);
    WriteBandRanges(all);
    DeriveBandRanges(all, macList);
}

void NewCommandSequence(TALL& all, const TMacList& macList, const std::string& timeText) {
    NewImage(all, timeText);
    SelectModel(all, macList, all.ImageModelIdent, true);
    WriteBandRanges(all);
    DeriveBandRanges(all, macList);
    all.Modified = false;
}

void AfterReadSequence(TALL& all, const TMacList& macList, const std::string& radioIdent) {
    SanitiseSettings(all);
    SelectModel(all, macList, radioIdent, false);
    DeriveBandRanges(all, macList);
    // Two bits a band: 1 its edges are the image's, 3 the model's limits replaced them. The
    // edges derived here are written into the image next, so every band in use becomes 1.
    all.BandMask &= 0x55;
    WriteBandRanges(all);
    StampModelBlock(all);
    all.Modified = true;
}

void AfterLoadSequence(TALL& all, const TMacList& macList, const std::string& fileIdent) {
    SanitiseSettings(all);
    SelectModel(all, macList, fileIdent, false);
    DeriveBandRanges(all, macList);
    WriteBandRanges(all);
    all.Modified = false;
}

} // namespace zorva
