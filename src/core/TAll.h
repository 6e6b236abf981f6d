// The application state and the radio image it holds, with the low-level accessors through
// which every codec reaches bits, fields, settings and bitmaps of the image.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorva {

// The image's unsaved-changes flag, read and set as a bool; whoever shows it (the main
// window's caption) is told of every change. A copy takes the value, never the listener.
class ChangeFlag {
public:
    ChangeFlag() = default;
    ChangeFlag(const ChangeFlag& other) : value_(other.value_) {}
    ChangeFlag& operator=(const ChangeFlag& other) { return *this = other.value_; }
    ChangeFlag& operator=(bool value) {
        if (value_ != value) {
            value_ = value;
            if (onChange) onChange(value);
        }
        return *this;
    }
    operator bool() const { return value_; }

    std::function<void(bool)> onChange;

private:
    bool value_ = false;
};

// Image geometry: offset equals radio memory address, blocks are 16 bytes.
inline constexpr int kImageSize = 5826;
inline constexpr int kBlockSize = 16;
inline constexpr int kRadioBlocks = 297;   // blocks 0..296 are read from the radio
inline constexpr int kWrittenBlocks = 295; // blocks 0..294 are written to it
inline constexpr int kRadioBytes = kRadioBlocks * kBlockSize;

// Regions of the image.
inline constexpr int kVfoDownRecord = 0x1010;
inline constexpr int kFmSlots = 0x1050;
inline constexpr int kChannelBitmap = 0x1190;
inline constexpr int kScanBitmap = 0x11A0;
inline constexpr int kFmBitmap = 0x11B0;
inline constexpr int kFmScanLow = 0x11B4;
inline constexpr int kFmScanHigh = 0x11B6;
inline constexpr int kSettingsBase = 0x11B8;
inline constexpr int kSettingsCount = 64;
inline constexpr int kModelBlock = 0x11F8;
inline constexpr int kManualFreqByte = 0x11FD;
inline constexpr int kBandMaskByte = 0x11FE;
inline constexpr int kBandRanges = 0x1200;
inline constexpr int kWriteTime = 0x1260;
inline constexpr int kSerialNumber = 0x1280;
inline constexpr int kSerialLength = 16;

inline constexpr int kMemoryChannels = 128;
inline constexpr int kVfoDown = 129; // the "Freq_Down" record
inline constexpr int kVfoUp = 130;   // the "Freq_Up" record
inline constexpr int kFmChannels = 25;
inline constexpr int kFmCurrentSlot = 32;
inline constexpr int kBands = 4;

// The application state. One instance per program (see Maindb); tests make their own.
class TALL {
public:
    std::string LanguageName;
    int32_t LanguageId = 0;
    bool LanguageSelectable = false;
    int32_t CurrentChannel = 0;
    std::string PortName;
    std::string ExeDir;
    std::string ProductName;
    int32_t ChannelCount = 0;
    std::string ModelName;
    std::string BandSummary;
    uint8_t BandMask = 0;
    uint8_t ManualFreqFlag = 0;
    uint8_t ModelBandMask = 0;
    uint8_t ManualFreqDefault = 0;
    std::array<double, kBands> BandLow{};
    std::array<double, kBands> BandHigh{};
    double FmBandLow = 0.0;
    double FmBandHigh = 0.0;
    std::string ImageModelIdent;
    int32_t BaudRate = 0;
    bool DtmfDecodeVisible = false;
    ChangeFlag Modified;
    std::string OwnModelIdent;
    std::string InstallationId;
    std::string SnStart;
    int32_t SnIndex = 0;
    int32_t SnNumS = 0;
    bool PowerTestAvailable = false;
    // Program → Verify After Writing: read the radio back after each completed write.
    bool VerifyAfterWrite = false;
    // View → Hide Empty Channels and View → Columns: what the channel table shows.
    bool HideEmptyChannels = false;
    std::vector<int> HiddenFields; // the channel fields whose columns are hidden
    // The files last opened or saved, newest first (the File menu's list).
    std::vector<std::string> RecentFiles;
    std::array<uint8_t, kImageSize> Image{};

    // Settings bytes: setting n (0..63) is image byte kSettingsBase + n.
    uint8_t& Setting(int n) { return Image[kSettingsBase + n]; }
    uint8_t GetSetting(int n, uint8_t mask) const;
    void PutSetting(int n, uint8_t mask, int value);
    void ClampSetting(int n, uint8_t mask, int low, int high, int def);

    // Bitmaps addressed by their first offset (kChannelBitmap, kScanBitmap, kFmBitmap);
    // slot numbers count from 1. A set bit means empty / not in the list.
    bool IsSlotClear(int bitmap, int slot) const;
    void SetSlotClear(int bitmap, int slot, bool clear);

    uint32_t U32At(int offset) const;
    void PutU32At(int offset, uint32_t value);
    uint16_t U16At(int offset) const;
    void PutU16At(int offset, uint16_t value);
};

// Bits and fields of one byte.
bool TestBit(uint8_t byte, int bit);
void SetBit(uint8_t& byte, int bit, bool on);
int MaskShift(uint8_t mask);
uint8_t GetField(uint8_t byte, uint8_t mask, uint8_t max, uint8_t def);
void PutField(uint8_t& byte, uint8_t mask, int value);

// Image offset of byte `fieldOffset` (0..31) of channel record `channel` (1..130).
int ChannelFieldAddress(int channel, int fieldOffset);

// Little-endian numbers. Bit 31 is always ignored on reading.
uint32_t ReadU32(const uint8_t* bytes);
void WriteU32(uint8_t* dest, uint32_t value);

} // namespace zorva
