// Channel field setters, the FM writer, the DTMF codes and the write time with any text, in
// any order: a text that is refused leaves the image as it was, and a stored value reads
// back as the text the setter handed back for the window to show.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "codec/DtmfCodes.h"
#include "codec/FmCodec.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/ToneCodec.h"
#include "fuzz/FuzzSupport.h"

namespace zorva {
namespace {

struct ListField {
    int field;
    int values;
    uint8_t TChannel::*member;
};
constexpr ListField kListFields[] = {
    {kFieldShift, 3, &TChannel::Shift},
    {kFieldPower, 2, &TChannel::Power},
    {kFieldBandwidth, 2, &TChannel::Bandwidth},
    {kFieldBusyLock, 2, &TChannel::BusyLock},
    {kFieldVox, 2, &TChannel::Vox},
    {kFieldEpilogue, 2, &TChannel::Epilogue},
    {kFieldAni, 2, &TChannel::Ani},
    {kFieldVoiceMode, 4, &TChannel::VoiceMode},
    {kFieldPttId, 4, &TChannel::PttId},
    {kFieldScan, 2, &TChannel::Scan},
};

const uint8_t* Record(const TALL& all, int channel) {
    return &all.Image[ChannelFieldAddress(channel, 0)];
}

std::string StoredFreq(const TALL& all, int channel, int at) {
    return FormatFreq(UnitsToMhz(ReadU32(Record(all, channel) + at)));
}

TChannel Loaded(TALL& all, int channel) {
    TChannel c;
    FUZZ_CHECK(LoadChannel(all, channel, c), "channel " + std::to_string(channel) + " empty");
    return c;
}

bool InUse(const TALL& all, int channel) {
    return IsVfoRecord(channel) || all.IsSlotClear(kChannelBitmap, channel);
}

std::string Where(int channel, int field, const std::string& text) {
    return "channel " + std::to_string(channel) + " field " + std::to_string(field) + " text <" +
           text + ">";
}

// The setter hands back `text`; the record must hold that.
void CheckStored(TALL& all, int channel, int field, const std::string& text) {
    const std::string where = Where(channel, field, text);
    switch (field) {
    case kFieldRxFreq:
        if (text.empty()) {
            FUZZ_CHECK(!InUse(all, channel), where);
        } else {
            FUZZ_CHECK(StoredFreq(all, channel, 0) == text,
                       where + " stored " + StoredFreq(all, channel, 0));
        }
        break;
    case kFieldTxFreq:
        if (text.empty()) {
            FUZZ_CHECK(Record(all, channel)[7] & 0x80, where);
        } else {
            FUZZ_CHECK(StoredFreq(all, channel, 4) == text,
                       where + " stored " + StoredFreq(all, channel, 4));
        }
        break;
    case kFieldOffset: {
        const uint8_t* record = Record(all, channel);
        const uint32_t units = record[4] | (record[5] << 8) | (record[6] << 16);
        FUZZ_CHECK(FormatFreq(UnitsToMhz(units)) == text, where);
        break;
    }
    case kFieldRxTone:
    case kFieldTxTone: {
        const TChannel c = Loaded(all, channel);
        const std::string& tone = field == kFieldRxTone ? c.RxTone : c.TxTone;
        FUZZ_CHECK(tone == text, where + " reads " + tone);
        break;
    }
    case kFieldName:
        FUZZ_CHECK(Loaded(all, channel).Name == text,
                   where + " reads <" + Loaded(all, channel).Name + ">");
        break;
    case kFieldIdCode:
        FUZZ_CHECK(Loaded(all, channel).IdCode == text,
                   where + " reads <" + Loaded(all, channel).IdCode + ">");
        break;
    default:
        break;
    }
}

// Calls the setter as a window does and checks what it hands back; a refused text must leave
// the image as it was.
void Set(TALL& all, int channel, int field, std::string text) {
    const auto before = all.Image;
    const std::string typed = text;
    try {
        SetChannelField(all, channel, field, text);
    } catch (const ConversionError&) {
        FUZZ_CHECK(all.Image == before, Where(channel, field, typed) + " refused but stored");
        return;
    }
    if (InUse(all, channel)) CheckStored(all, channel, field, text);
}

void Step(TALL& all, fuzz::FuzzInput& in) {
    const int op = in.Pick(10);
    const int channel = 1 + in.Pick(130);
    const bool vfo = IsVfoRecord(channel);
    std::string text = in.Text();
    switch (op) {
    case 0: // a frequency typed into a cell: refused ones become the first band's low limit
    case 1: {
        const int field = op == 0 ? kFieldRxFreq : vfo ? kFieldOffset : kFieldTxFreq;
        double value = 0.0;
        if (field != kFieldOffset && !text.empty()) {
            FreqRangeCheck(all, text, value);
            text = FormatFreq(value);
        }
        if (field == kFieldRxFreq && !InUse(all, channel) && !text.empty())
            InitNewChannel(all, channel, text);
        else
            Set(all, channel, field, text);
        break;
    }
    case 2: // a tone picked or typed
        Set(all, channel, in.Pick(2) ? kFieldRxTone : kFieldTxTone, NormaliseTone(text));
        break;
    case 3: { // a list
        const ListField& list = kListFields[in.Pick(std::size(kListFields))];
        if (!InUse(all, channel) || (list.field == kFieldShift) != vfo ||
            (list.field == kFieldScan && vfo))
            break;
        const int value = text.empty() ? 0 : static_cast<uint8_t>(text[0]) % list.values;
        Set(all, channel, list.field, std::to_string(value));
        FUZZ_CHECK(Loaded(all, channel).*list.member == value,
                   Where(channel, list.field, std::to_string(value)));
        break;
    }
    case 4: // name and ID code, with the trailing blanks the window drops
    case 5:
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        Set(all, channel, op == 4 ? kFieldName : kFieldIdCode, text);
        break;
    case 6: { // an FM slot
        const int slot = 1 + in.Pick(kFmChannels + 1);
        const int k = slot > kFmChannels ? kFmCurrentSlot : slot;
        const auto before = all.Image;
        std::string shown;
        try {
            shown = WriteFmChannel(all, k, text);
        } catch (const ConversionError&) {
            FUZZ_CHECK(all.Image == before, "FM " + std::to_string(k) + " refused but stored");
            break;
        }
        // Emptying the current frequency shows the lower scan bound and stores nothing, by
        // design.
        if (k == kFmCurrentSlot && text.empty()) break;
        const double mhz = ReadFmChannel(all, k);
        const std::string stored = mhz < 0 ? std::string() : FormatFreq(mhz);
        FUZZ_CHECK(stored == shown, "FM " + std::to_string(k) + " <" + text + "> shows " + shown +
                                        " stored " + stored);
        break;
    }
    case 7: { // a DTMF code: what it reads back is stored again unchanged
        const auto code = static_cast<DtmfCode>(1 + in.Pick(4));
        StoreDtmfCode(all, code, text);
        const std::string shown = ReadDtmfCode(all, code);
        StoreDtmfCode(all, code, shown);
        FUZZ_CHECK(ReadDtmfCode(all, code) == shown, "DTMF <" + text + "> shows " + shown);
        break;
    }
    case 8: { // the write time (only ever stamped from the clock; shown as stored)
        const auto before = all.Image;
        try {
            StampWriteTime(all, text);
        } catch (const ConversionError&) {
            FUZZ_CHECK(all.Image == before, "write time <" + text + "> refused but stored");
        }
        WriteTimeText(all);
        break;
    }
    default: // any field of any record with any text, as no window would send it
        Set(all, channel, kFieldRxFreq + in.Pick(kFieldIdCode - kFieldRxFreq + 1), text);
        break;
    }
}

} // namespace
} // namespace zorva

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorva;
    static const std::unique_ptr<Maindb> started = test::MakeStartedDb();
    TALL all = started->All;
    fuzz::FuzzInput in(data, size);
    for (int steps = 0; steps < 64 && !in.Empty(); ++steps)
        Step(all, in);
    return 0;
}
