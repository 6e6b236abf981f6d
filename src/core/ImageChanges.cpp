#include "core/ImageChanges.h"

#include <algorithm>

namespace zorva {

namespace {

constexpr int kRecordBytes = 32;
constexpr int kFirstRecord = 16; // the record of memory channel 1
constexpr int kVfoEnd = kVfoDownRecord + 2 * kRecordBytes;
constexpr int kFmSlotsEnd = kFmSlots + 2 * kFmCurrentSlot;
constexpr int kBitmapBytes = kMemoryChannels / 8;

void AddChannel(ImageChanges& changes, int channel) {
    if (changes.firstChannel == 0 || channel < changes.firstChannel) changes.firstChannel = channel;
    changes.lastChannel = std::max(changes.lastChannel, channel);
}

// Notes the part of the image byte `offset` belongs to; a bitmap byte names the channels of the
// bits that differ.
void ClassifyByte(ImageChanges& changes, int offset, uint8_t a, uint8_t b) {
    if (offset >= kFirstRecord && offset < kVfoDownRecord) {
        AddChannel(changes, (offset - kFirstRecord) / kRecordBytes + 1);
    } else if (offset >= kVfoDownRecord && offset < kVfoEnd) {
        changes.vfo = true;
    } else if ((offset >= kFmSlots && offset < kFmSlotsEnd) ||
               (offset >= kFmBitmap && offset < kSettingsBase)) {
        changes.fm = true;
    } else if ((offset >= kChannelBitmap && offset < kChannelBitmap + kBitmapBytes) ||
               (offset >= kScanBitmap && offset < kScanBitmap + kBitmapBytes)) {
        const int first = (offset - (offset < kScanBitmap ? kChannelBitmap : kScanBitmap)) * 8;
        for (int bit = 0; bit < 8; ++bit)
            if (((a ^ b) >> bit) & 1) AddChannel(changes, first + bit + 1);
    } else {
        changes.settings = true;
    }
}

} // namespace

ImageChanges CompareImageStates(const ImageState& before, const ImageState& after) {
    ImageChanges changes;
    ImageState layoutBefore = before;
    ImageState layoutAfter = after;
    layoutBefore.Image = {};
    layoutAfter.Image = {};
    if (!(layoutBefore == layoutAfter)) {
        changes.replaced = true;
        return changes;
    }
    for (int offset = 0; offset < kImageSize; ++offset)
        if (before.Image[offset] != after.Image[offset])
            ClassifyByte(changes, offset, before.Image[offset], after.Image[offset]);
    return changes;
}

} // namespace zorva
