// Data file bytes: a file the program accepts is loaded with its repairs, decoded as the
// windows decode it and saved; loading that save gives the same view and saving it again
// the same bytes. A refused file leaves the image as it was.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "codec/DtmfCodes.h"
#include "codec/FmCodec.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "fuzz/FuzzSupport.h"
#include "shell/DataFile.h"

namespace zorva {
namespace {

std::string Freq(double mhz) {
    return mhz == kNoFreq ? std::string("-") : FormatFreq(mhz);
}

// Everything a user sees of the image, decoded by the program's own loaders (which repair
// what they decode, as the windows do).
std::string View(TALL& all) {
    std::string view;
    for (int channel = 1; channel <= 130; ++channel) {
        TChannel c;
        view += std::to_string(channel) + ":";
        if (!LoadChannel(all, channel, c)) {
            view += "empty\n";
            continue;
        }
        for (const double mhz : {c.RxFreq, c.TxFreq, c.Offset})
            view += Freq(mhz) + " ";
        for (const int value : {c.Shift, c.Reverse, c.BusyLock, c.Bandwidth, c.Power, c.VoiceMode,
                                c.Scan, c.Epilogue, c.Vox, c.PttId, c.Ani})
            view += std::to_string(value) + " ";
        view += c.RxTone + "|" + c.TxTone + "|" + c.Name + "|" + c.IdCode + "\n";
    }
    for (int slot = 1; slot <= kFmCurrentSlot; ++slot)
        if (slot <= kFmChannels || slot == kFmCurrentSlot)
            view += "FM" + std::to_string(slot) + ":" + Freq(ReadFmChannel(all, slot)) + "\n";
    for (const DtmfCode code : {DtmfCode::Begin, DtmfCode::End, DtmfCode::Id, DtmfCode::Stun})
        view += "DTMF:" + ReadDtmfCode(all, code) + "\n";
    view += WriteTimeText(all) + "\n" + SerialNumberText(all) + "\n";
    return view;
}

std::string Save(const TALL& all, const std::string& name) {
    const std::string path = fuzz::ScratchFile(name);
    std::string reason;
    FUZZ_CHECK(WriteDataFile(all, path, reason), reason);
    return fuzz::ReadFile(path);
}

} // namespace
} // namespace zorva

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorva;
    static const std::unique_ptr<Maindb> started = test::MakeStartedDb();
    const std::string input = fuzz::ScratchFile("input.dat");
    fuzz::WriteFile(input, std::string_view(reinterpret_cast<const char*>(data), size));

    const TMacList& macList = started->MacList;
    TALL all = started->All;
    if (!LoadDataFile(all, macList, input)) {
        FUZZ_CHECK(all.Image == started->All.Image, "a refused file changed the image");
        FUZZ_CHECK(all.Modified == started->All.Modified, "a refused file changed Modified");
        return 0;
    }
    const std::string view = View(all);
    const std::string saved = Save(all, "saved.dat");

    TALL again = started->All;
    FUZZ_CHECK(static_cast<bool>(LoadDataFile(again, macList, fuzz::ScratchFile("saved.dat"))),
               "a saved file was refused");
    const std::string viewAgain = View(again);
    FUZZ_CHECK(viewAgain == view, "the view changed:\n" + view + "---\n" + viewAgain);
    FUZZ_CHECK(Save(again, "again.dat") == saved, "the second save differs");
    return 0;
}
