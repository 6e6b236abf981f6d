#include "codec/FmCodec.h"

#include "codec/Numbers.h"
#include "core/TAll.h"

#include <algorithm>

namespace zorva {

namespace {

int SlotOffset(int slot) {
    return kFmSlots + 2 * (slot - 1);
}

} // namespace

double FmUnitsToMhz(uint16_t units) {
    return units * 2500 / 100000.0;
}

std::string FmUnitsText(uint16_t units) {
    return FormatFreq(FmUnitsToMhz(units));
}

double ReadFmChannel(const TALL& all, int slot) {
    const bool inUse = slot == kFmCurrentSlot || all.IsSlotClear(kFmBitmap, slot);
    if (!inUse) return -1.0;
    return FmUnitsToMhz(all.U16At(SlotOffset(slot)));
}

std::string WriteFmChannel(TALL& all, int slot, std::string_view text) {
    const uint16_t min = all.U16At(kFmScanLow);
    const uint16_t max = all.U16At(kFmScanHigh);
    if (text.empty()) {
        if (slot == kFmCurrentSlot) return FmUnitsText(min);
        all.SetSlotClear(kFmBitmap, slot, false);
        return {};
    }
    // Convert before touching the slot, so a text that is no number leaves it as it was.
    double mhz = ToNumber(text);
    if (slot != kFmCurrentSlot) all.SetSlotClear(kFmBitmap, slot, true);
    if (mhz > all.FmBandHigh) mhz = all.FmBandHigh;
    int64_t units = RoundToInt64(mhz * 100000.0 / 2500.0);
    if (units > max) units = max;
    if (units < min) units = min;
    all.PutU16At(SlotOffset(slot), static_cast<uint16_t>(units));
    return FmUnitsText(static_cast<uint16_t>(units));
}

uint16_t WriteFmScanBound(TALL& all, bool upper, double mhz, double otherBound) {
    if (upper) {
        if (mhz > all.FmBandHigh) mhz = 108.0;
        if (mhz < otherBound) mhz = otherBound;
    } else {
        if (mhz < all.FmBandLow) mhz = 88.0;
        if (mhz > otherBound) mhz = otherBound;
    }
    // Truncating, not rounding: a bound never moves past the value given.
    int64_t units = RoundToInt64(mhz * 100000.0) / 2500;
    units = std::clamp<int64_t>(units, 0, 0xFFFF);
    all.PutU16At(upper ? kFmScanHigh : kFmScanLow, static_cast<uint16_t>(units));
    return static_cast<uint16_t>(units);
}

std::string FmBoundText(double mhz) {
    std::string text = FormatFixed(mhz, 3);
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t digits = text.find('.') - (negative ? 1 : 0);
    if (digits < 2) text.insert(negative ? 1 : 0, 2 - digits, '0');
    return text;
}

} // namespace zorva
