#include "codec/OptionCodes.h"

#include "codec/TextCodec.h"
#include "core/TAll.h"

namespace zorva {

namespace {

constexpr SettingField kModeCode{3, 0x0F};
constexpr SettingField kBatterySaveOn{4, 0x04};
constexpr SettingField kBatterySaveRatio{4, 0x03};
constexpr SettingField kVoiceOn{5, 0x02};
constexpr SettingField kVoiceLanguage{5, 0x04};
constexpr int kPowerOnTextSetting = 16;

constexpr int kBatterySaveItems = 5;
constexpr int kVoiceItems = 3;

} // namespace

int FieldMax(SettingField field) {
    return field.mask >> MaskShift(field.mask);
}

int ReadField(const TALL& all, SettingField field) {
    return all.GetSetting(field.setting, field.mask);
}

void WriteField(TALL& all, SettingField field, int code) {
    if (code < 0 || code > FieldMax(field)) return;
    all.PutSetting(field.setting, field.mask, code);
}

int ModeItemOfCode(int code) {
    switch (code & 0x0F) {
    case 0:
    case 1:
    case 2:
    case 3:
        return kModeFmChs;
    case 4:
    case 5:
    case 6:
    case 7:
        return kModeFmFreq;
    case 9:
    case 13:
        return kModeChsFreq;
    case 11:
    case 15:
        return kModeFreq;
    default: // 8, 10, 12, 14
        return kModeChs;
    }
}

int ModeCodeOfItem(int item) {
    static constexpr int kCodes[kModeItems] = {15, 13, 14, 7, 3};
    return item >= 0 && item < kModeItems ? kCodes[item] : -1;
}

int ReadModeItem(const TALL& all) {
    return ModeItemOfCode(ReadField(all, kModeCode));
}

void WriteModeItem(TALL& all, int item) {
    WriteField(all, kModeCode, ModeCodeOfItem(item));
}

int ReadBatterySave(const TALL& all) {
    if (ReadField(all, kBatterySaveOn) == 0) return 0;
    return ReadField(all, kBatterySaveRatio) + 1;
}

void WriteBatterySave(TALL& all, int item) {
    if (item < 0 || item >= kBatterySaveItems) return;
    if (item == 0) {
        WriteField(all, kBatterySaveOn, 0);
        return;
    }
    WriteField(all, kBatterySaveOn, 1);
    WriteField(all, kBatterySaveRatio, item - 1);
}

int ReadVoice(const TALL& all) {
    if (ReadField(all, kVoiceOn) == 0) return kVoiceOff;
    return ReadField(all, kVoiceLanguage) == 0 ? kVoiceEnglish : kVoiceChinese;
}

void WriteVoice(TALL& all, int item) {
    if (item < 0 || item >= kVoiceItems) return;
    WriteField(all, kVoiceOn, item == kVoiceOff ? 0 : 1);
    if (item != kVoiceOff) WriteField(all, kVoiceLanguage, item == kVoiceChinese ? 1 : 0);
}

std::string ReadPowerOnText(const TALL& all) {
    std::string text;
    for (int i = 0; i < kPowerOnTextLength; ++i)
        text += DecodeNameChar(all.Image[kSettingsBase + kPowerOnTextSetting + i]);
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

void WritePowerOnText(TALL& all, std::string_view text) {
    std::string padded(text.substr(0, kPowerOnTextLength));
    padded.resize(kPowerOnTextLength, ' ');
    std::string shown = ReadPowerOnText(all);
    shown.resize(kPowerOnTextLength, ' ');
    if (padded == shown) return;
    for (int i = 0; i < kPowerOnTextLength; ++i)
        all.Image[kSettingsBase + kPowerOnTextSetting + i] = EncodeNameChar(padded[i]);
}

bool ReadManualFreq(const TALL& all) {
    return all.ManualFreqFlag == kManualFreqAllowed;
}

void WriteManualFreq(TALL& all, bool allowed) {
    all.ManualFreqFlag = allowed ? kManualFreqAllowed : kManualFreqRefused;
    all.Image[kManualFreqByte] = all.ManualFreqFlag;
}

} // namespace zorva
