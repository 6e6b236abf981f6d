// Batch channel programming: a range of memory channels written in one go (frequencies with
// a step, tones with a spacing or at random, common settings), or cleared.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zorva {

class TALL;

// Where each channel's TX frequency comes from.
enum class BatchTx {
    Default, // the channel's RX frequency
    Offset,  // the RX frequency plus or minus `offset`
    Own,     // from `tx` on, stepped by `txStep`
};

// Frequencies are in 10 Hz units, tones are positions in the tone list (0 for none).
struct BatchOptions {
    int first = 1; // the channel range, clamped to the radio's channels
    int last = 1;
    bool clear = false; // empties the range; nothing else applies

    int64_t rx = 0;
    int64_t rxStep = 0;
    bool rxDescending = false;

    BatchTx txSource = BatchTx::Default;
    int64_t offset = 0;
    bool offsetDown = false;
    int64_t tx = 0;
    int64_t txStep = 0;
    bool txDescending = false;

    int rxTone = 0;
    int rxToneSpace = 0;
    bool rxToneDescending = false;
    bool rxToneRandom = false;
    bool txOwnTone = false; // otherwise each channel's TX tone is its RX tone
    int txTone = 0;
    int txToneSpace = 0;
    bool txToneDescending = false;
    bool txToneRandom = false;

    int power = 1;
    int bandwidth = 1;
    int voiceMode = 0;
    std::string name;          // image text
    bool numberAsName = false; // each channel is named by its number instead
    bool busyLock = false;
    bool scan = false;
    bool vox = false;
    bool epilogue = true;
};

// A uniform random number from 0 to `highest`.
using RandomIndex = std::function<int(int highest)>;

// Writes every channel of the range as `options` say. A step that would leave the bands in
// use is not taken (the frequency stays); an offset TX frequency outside them becomes the
// nearest band edge. Random tones come from every list item but the last. True when the
// image changed; Modified is the caller's to set.
bool ApplyBatch(TALL& all, const BatchOptions& options, const RandomIndex& randomIndex);

} // namespace zorva
