// Row operations on the memory channels: emptying, inserting, removing, moving and sorting
// whole channels. A channel moves with its whole record, its in-use bit and its scan-list bit,
// and the priority channel of scanning follows the channel it names.
#pragma once

#include <vector>

namespace zorva {

class TALL;

// The last memory channel of the image's model (at most 128).
int LastChannel(const TALL& all);

// Empties a memory channel (record and bits), as clearing its RX frequency does.
void ClearChannel(TALL& all, int channel);

// Channels `channel`..last move one place down and `channel` becomes empty. Returns false,
// changing nothing, when the last channel is in use (it would fall off the end).
bool InsertChannel(TALL& all, int channel);

// Removes `channel`: the channels below it move one place up and the last becomes empty.
void RemoveChannel(TALL& all, int channel);

// Swaps `channel` with its neighbour above (by -1) or below (by +1). Returns false, changing
// nothing, at the first or last channel.
bool MoveChannel(TALL& all, int channel, int by);

// Packs the channels in use from channel 1 in order of RX frequency; channels of the same
// frequency keep their order.
void SortChannelsByRx(TALL& all);

// Puts the channels in a new order: new channel i + 1 takes what old channel order[i] held
// (0 for an empty channel); channels past the end of `order` become empty. The priority
// channel follows its channel, or is switched off when its channel is not in the order.
void ReorderChannels(TALL& all, const std::vector<int>& order);

} // namespace zorva
