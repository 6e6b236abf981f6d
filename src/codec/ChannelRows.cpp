#include "codec/ChannelRows.h"

#include "codec/ChannelRecord.h"
#include "codec/OptionCodes.h"
#include "core/TAll.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace zorva {

namespace {

constexpr int kRecordSize = 32;

// Everything of one channel that moves with it.
struct ChannelSlot {
    std::array<uint8_t, kRecordSize> record{};
    bool inUse = false;
    bool scanned = false;
};

ChannelSlot TakeSlot(const TALL& all, int channel) {
    ChannelSlot slot;
    const int at = ChannelFieldAddress(channel, 0);
    std::copy_n(all.Image.begin() + at, kRecordSize, slot.record.begin());
    slot.inUse = all.IsSlotClear(kChannelBitmap, channel);
    slot.scanned = all.IsSlotClear(kScanBitmap, channel);
    return slot;
}

void PutSlot(TALL& all, int channel, const ChannelSlot& slot) {
    std::copy(slot.record.begin(), slot.record.end(),
              all.Image.begin() + ChannelFieldAddress(channel, 0));
    all.SetSlotClear(kChannelBitmap, channel, slot.inUse);
    all.SetSlotClear(kScanBitmap, channel, slot.scanned);
}

bool InUse(const TALL& all, int channel) {
    return all.IsSlotClear(kChannelBitmap, channel);
}

// The order that leaves every channel where it is.
std::vector<int> Identity(const TALL& all) {
    std::vector<int> order(LastChannel(all));
    std::iota(order.begin(), order.end(), 1);
    return order;
}

} // namespace

int LastChannel(const TALL& all) {
    return std::clamp(all.ChannelCount, 0, kMemoryChannels);
}

void ClearChannel(TALL& all, int channel) {
    std::string empty;
    SetChannelField(all, channel, kFieldRxFreq, empty);
}

bool InsertChannel(TALL& all, int channel) {
    const int last = LastChannel(all);
    if (channel < 1 || channel > last || InUse(all, last)) return false;
    std::vector<int> order = Identity(all);
    order.insert(order.begin() + (channel - 1), 0);
    order.pop_back();
    ReorderChannels(all, order);
    return true;
}

void RemoveChannel(TALL& all, int channel) {
    if (channel < 1 || channel > LastChannel(all)) return;
    std::vector<int> order = Identity(all);
    order.erase(order.begin() + (channel - 1));
    ReorderChannels(all, order);
}

bool MoveChannel(TALL& all, int channel, int by) {
    const int other = channel + by;
    const int last = LastChannel(all);
    if (channel < 1 || channel > last || other < 1 || other > last || channel == other)
        return false;
    std::vector<int> order = Identity(all);
    std::swap(order[channel - 1], order[other - 1]);
    ReorderChannels(all, order);
    return true;
}

void SortChannelsByRx(TALL& all) {
    std::vector<std::pair<uint32_t, int>> used;
    for (int channel = 1; channel <= LastChannel(all); ++channel)
        if (InUse(all, channel))
            used.emplace_back(ReadU32(&all.Image[ChannelFieldAddress(channel, 0)]), channel);
    // The stored units are what the table shows (bit 31 aside, which reading ignores).
    std::stable_sort(used.begin(), used.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order;
    for (const auto& [units, channel] : used)
        order.push_back(channel);
    ReorderChannels(all, order);
}

void ReorderChannels(TALL& all, const std::vector<int>& order) {
    const int last = LastChannel(all);
    std::vector<ChannelSlot> before;
    for (int channel = 1; channel <= last; ++channel)
        before.push_back(TakeSlot(all, channel));

    const int priority = ReadField(all, kPriorityChannel);
    int newPriority = priority >= 1 && priority <= last ? 0 : priority;
    for (int channel = 1; channel <= last; ++channel) {
        const int from = channel <= static_cast<int>(order.size()) ? order[channel - 1] : 0;
        if (from >= 1 && from <= last) {
            PutSlot(all, channel, before[from - 1]);
            if (from == priority) newPriority = channel;
        } else {
            ClearChannel(all, channel);
        }
    }
    if (newPriority != priority) WriteField(all, kPriorityChannel, newPriority);
}

} // namespace zorva
