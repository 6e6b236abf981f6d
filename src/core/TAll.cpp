#include "core/TAll.h"

namespace zorva {

bool TestBit(uint8_t byte, int bit) {
    if (bit > 7) return byte != 0;
    return (byte >> bit) & 1;
}

void SetBit(uint8_t& byte, int bit, bool on) {
    if (bit < 0 || bit > 7) return;
    if (on)
        byte = static_cast<uint8_t>(byte | (1u << bit));
    else
        byte = static_cast<uint8_t>(byte & ~(1u << bit));
}

int MaskShift(uint8_t mask) {
    for (int shift = 0; shift < 8; ++shift)
        if (mask & (1u << shift)) return shift;
    return 8;
}

uint8_t GetField(uint8_t byte, uint8_t mask, uint8_t max, uint8_t def) {
    const int shift = MaskShift(mask);
    const unsigned value = shift >= 8 ? 0u : (byte & mask) >> shift;
    return value > max ? def : static_cast<uint8_t>(value);
}

void PutField(uint8_t& byte, uint8_t mask, int value) {
    const int shift = MaskShift(mask);
    const unsigned bits = shift >= 8 ? 0u : static_cast<unsigned>(value) << shift;
    byte = static_cast<uint8_t>((byte & ~mask) | bits);
}

int ChannelFieldAddress(int channel, int fieldOffset) {
    return 32 * (channel - 1) + 16 + fieldOffset;
}

uint32_t ReadU32(const uint8_t* b) {
    return b[0] | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3] & 0x7F) << 24);
}

void WriteU32(uint8_t* dest, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        dest[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint8_t TALL::GetSetting(int n, uint8_t mask) const {
    const int shift = MaskShift(mask);
    if (shift >= 8) return 0;
    return static_cast<uint8_t>((Image[kSettingsBase + n] & mask) >> shift);
}

void TALL::PutSetting(int n, uint8_t mask, int value) {
    PutField(Setting(n), mask, value);
}

void TALL::ClampSetting(int n, uint8_t mask, int low, int high, int def) {
    const int value = GetSetting(n, mask);
    PutSetting(n, mask, value < low || value > high ? def : value);
}

bool TALL::IsSlotClear(int bitmap, int slot) const {
    const uint8_t byte = Image[bitmap + (slot - 1) / 8];
    return !TestBit(byte, (slot - 1) % 8);
}

void TALL::SetSlotClear(int bitmap, int slot, bool clear) {
    SetBit(Image[bitmap + (slot - 1) / 8], (slot - 1) % 8, !clear);
}

uint32_t TALL::U32At(int offset) const {
    return ReadU32(&Image[offset]);
}

void TALL::PutU32At(int offset, uint32_t value) {
    WriteU32(&Image[offset], value);
}

uint16_t TALL::U16At(int offset) const {
    return static_cast<uint16_t>(Image[offset] | (Image[offset + 1] << 8));
}

void TALL::PutU16At(int offset, uint16_t value) {
    Image[offset] = static_cast<uint8_t>(value);
    Image[offset + 1] = static_cast<uint8_t>(value >> 8);
}

} // namespace zorva
