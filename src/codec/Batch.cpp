#include "codec/Batch.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/ToneList.h"
#include "core/TAll.h"

#include <algorithm>

namespace zorva {

namespace {

// Whether a frequency in 10 Hz units lies inside a band in use.
bool InRange(const TALL& all, int64_t units) {
    double mhz = UnitsToMhz(units);
    return !FreqRangeCheck(all, "", mhz);
}

int NextTone(int tone, int space, bool descending) {
    return descending ? std::max(tone - space, 0) : std::min(tone + space, kToneListSize - 1);
}

} // namespace

bool ApplyBatch(TALL& all, const BatchOptions& o, const RandomIndex& randomIndex) {
    const int first = std::max(1, o.first);
    const int last = std::min(all.ChannelCount, o.last);
    if (last < first) return false;

    const int lastTone = kToneListSize - 1;
    int64_t rx = o.rx;
    int64_t tx = o.tx;
    int rxTone = std::clamp(o.rxTone, 0, lastTone);
    int txTone = std::clamp(o.txTone, 0, lastTone);
    const bool txRandom = o.txOwnTone && o.txToneRandom;
    const auto randomTone = [&] {
        return std::clamp(randomIndex ? randomIndex(lastTone - 1) : 0, 0, lastTone);
    };
    const auto toneText = [](int index) { return index == 0 ? std::string() : ToneList()[index]; };

    const auto before = all.Image;
    const auto store = [&all](int channel, int field, std::string text) {
        SetChannelField(all, channel, field, text);
    };
    try {
        for (int n = first; n <= last; ++n) {
            if (o.clear) {
                store(n, kFieldRxFreq, "");
                continue;
            }
            const std::string rxText = FormatFreq(UnitsToMhz(rx));
            // A channel put in use here starts from the defaults of a new channel, so that
            // the fields the batch does not set hold proper values, not the empty record's.
            TChannel existing;
            if (LoadChannel(all, n, existing))
                store(n, kFieldRxFreq, rxText);
            else
                InitNewChannel(all, n, rxText);

            if (o.txSource == BatchTx::Default) {
                tx = rx;
            } else if (o.txSource == BatchTx::Offset) {
                const bool up = !o.offsetDown;
                tx = up ? rx + o.offset : rx - o.offset;
                if (!InRange(all, tx)) tx = MhzToUnits(NearestBandEdge(all, up, UnitsToMhz(tx)));
            }
            store(n, kFieldTxFreq, FormatFreq(UnitsToMhz(tx)));

            if (o.rxToneRandom) rxTone = randomTone();
            store(n, kFieldRxTone, toneText(rxTone));
            if (!o.txOwnTone)
                txTone = rxTone;
            else if (txRandom)
                txTone = randomTone();
            store(n, kFieldTxTone, toneText(txTone));

            store(n, kFieldBandwidth, std::to_string(std::max(0, o.bandwidth)));
            store(n, kFieldPower, std::to_string(std::max(0, o.power)));
            SetOn(all, n, OnFlag::BusyLock, o.busyLock);
            SetOn(all, n, OnFlag::Scan, o.scan);
            store(n, kFieldVoiceMode, std::to_string(std::max(0, o.voiceMode)));
            SetOn(all, n, OnFlag::Vox, o.vox);
            store(n, kFieldEpilogue, o.epilogue ? "1" : "0");
            store(n, kFieldName, o.numberAsName ? std::to_string(n) : o.name);

            const int64_t nextRx = o.rxDescending ? rx - o.rxStep : rx + o.rxStep;
            if (InRange(all, nextRx)) rx = nextRx;
            if (o.txSource == BatchTx::Own) {
                const int64_t nextTx = o.txDescending ? tx - o.txStep : tx + o.txStep;
                if (InRange(all, nextTx)) tx = nextTx;
            }
            if (!o.rxToneRandom) rxTone = NextTone(rxTone, o.rxToneSpace, o.rxToneDescending);
            if (o.txOwnTone && !txRandom)
                txTone = NextTone(txTone, o.txToneSpace, o.txToneDescending);
        }
    } catch (const ConversionError&) {
        // Every text above is made here in canonical form; a channel that still refuses one
        // keeps the rest of its fields, and the channels done so far stay done.
    }
    return all.Image != before;
}

} // namespace zorva
