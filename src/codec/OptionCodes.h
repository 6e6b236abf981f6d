// The radio's function settings as the function windows show them: named bit fields of the
// settings bytes, and the settings whose code is not simply the position of a list item
// (display mode, battery save, voice prompts, power-on text, manual frequency entry).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorva {

class TALL;

// A bit field of one settings byte.
struct SettingField {
    int setting;  // settings byte 0..63
    uint8_t mask; // its bits; a whole byte is 0xFF
};

// The largest code the field can hold.
int FieldMax(SettingField field);
int ReadField(const TALL& all, SettingField field);
// Replaces the field's bits by `code`; a code that does not fit the field (a list without a
// selected item gives -1) leaves the byte as it is.
void WriteField(TALL& all, SettingField field, int code);

// Optional functions.
inline constexpr SettingField kOpenShow{6, 0x0C};
inline constexpr SettingField kDualWatch{3, 0x20};
inline constexpr SettingField kChannelName{3, 0x80};
inline constexpr SettingField kKeyLock{4, 0x10};
inline constexpr SettingField kVolumeInhibitTx{4, 0xC0};
inline constexpr SettingField kBeep{5, 0x01};
inline constexpr SettingField kLamp{5, 0x18};
inline constexpr SettingField kRogerTone{5, 0x20};
inline constexpr SettingField kFourthRangeTx{5, 0x80};
inline constexpr SettingField kColour{6, 0x03};
inline constexpr SettingField kCrossBand{6, 0x10};
inline constexpr SettingField kCrossBandSetting{6, 0x20};
inline constexpr SettingField kManualSetting{6, 0x40};
inline constexpr SettingField kSquelch{7, 0x0F};
inline constexpr SettingField kTxTimeOut{7, 0xF0};
inline constexpr SettingField kSuperSave{13, 0x0F};

// VOX.
inline constexpr SettingField kVoxGain{8, 0x0F};
inline constexpr SettingField kVoxDelay{8, 0x60};
inline constexpr SettingField kVoxInhibitOnRx{8, 0x80};

// Scanning.
inline constexpr SettingField kScanMode{10, 0x0F};
inline constexpr SettingField kScanSpeed{10, 0xF0};
inline constexpr SettingField kDropoutDelay{11, 0xFF};
inline constexpr SettingField kPriorityChannel{12, 0xFF};

// DTMF: the encoder's timing, the decoder and the stun type. The codes, their lengths and
// the PTT ID mode are DtmfCodes.h's; the "* and #" tone is coded (StarToneItemOfCode).
inline constexpr SettingField kDtmfSpeed{29, 0x0F};
inline constexpr SettingField kDtmfFirstDigitTime{30, 0x0F};
inline constexpr SettingField kDtmfFirstDigitDelay{30, 0xF0};
inline constexpr SettingField kDtmfGroupCode{31, 0x0F};
inline constexpr SettingField kDtmfStarTone{31, 0x30};
inline constexpr SettingField kDtmfSideTone{31, 0x40};
inline constexpr SettingField kDtmfStunType{31, 0x80};
inline constexpr SettingField kDtmfIdEdit{32, 0x10};
inline constexpr SettingField kDtmfAbcd{32, 0x20};
inline constexpr SettingField kDtmfTxDecode{32, 0x40};
inline constexpr SettingField kDtmfResetTime{33, 0x0F};
inline constexpr SettingField kDtmfTranspond{33, 0xF0};
inline constexpr SettingField kDtmfDecodeTimeOut{34, 0x0F};
inline constexpr SettingField kDtmfCodeSpace{34, 0xF0};

// Frequency mode: the step is its list position, and also sets the raster of the VFO records.
inline constexpr SettingField kVfoStep{9, 0x0F};
// The steps of that list, in kHz.
inline constexpr std::array<double, 10> kVfoStepsKhz{0.5,  2.5,  5.0,  6.25, 10.0,
                                                     12.5, 25.0, 37.5, 50.0, 100.0};

// FM broadcast radio: the step is its list position + 1; the inhibit bit is 0 when the
// receiver is silenced while the radio works.
inline constexpr SettingField kFmStep{9, 0xF0};
inline constexpr SettingField kFmInhibit{5, 0x40};

// Display mode items, in list order.
enum ModeItem { kModeFreq, kModeChsFreq, kModeChs, kModeFmFreq, kModeFmChs, kModeItems };

// Every 4-bit code has an item; only the items' own codes (15, 13, 14, 7, 3) are written.
int ModeItemOfCode(int code);
int ModeCodeOfItem(int item); // -1 for a position that is no item
int ReadModeItem(const TALL& all);
void WriteModeItem(TALL& all, int item);

// Battery save items: 0 off, k = 1..4 the ratio 1:k. Off keeps the ratio bits.
int ReadBatterySave(const TALL& all);
void WriteBatterySave(TALL& all, int item);

// Voice prompt items: 0 off, 1 English, 2 Chinese. Off keeps the language bit.
enum VoiceItem { kVoiceOff, kVoiceEnglish, kVoiceChinese };
int ReadVoice(const TALL& all);
void WriteVoice(TALL& all, int item);

inline constexpr int kPowerOnTextLength = 7;
// The seven characters, trailing blanks removed. One byte per character (Latin-1 beyond
// ASCII), as the name code gives them.
std::string ReadPowerOnText(const TALL& all);
// The text padded with blanks (or cut) to seven characters. A text that the bytes already
// read as leaves them untouched: storing the other settings must not rewrite bytes the user
// did not edit (blank codes above 122, characters the name code cannot encode again).
void WritePowerOnText(TALL& all, std::string_view text);

// Manual frequency entry: allowed while the application state's flag is the allow code.
inline constexpr uint8_t kManualFreqAllowed = 0xAA;
inline constexpr uint8_t kManualFreqRefused = 0xFF;
bool ReadManualFreq(const TALL& all);
// Sets the flag and copies it into the image.
void WriteManualFreq(TALL& all, bool allowed);

} // namespace zorva
