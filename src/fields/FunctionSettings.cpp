// The rows of the DTMF, optional function, VOX and scan windows.
#include "codec/DtmfCodes.h"
#include "codec/OptionCodes.h"
#include "core/TAll.h"
#include "fields/SettingRows.h"

#include <algorithm>

namespace zorva {

namespace {

using enum ItemWording;

std::vector<std::string> Prefixed(const char* first, std::vector<std::string> numbers) {
    numbers.insert(numbers.begin(), first);
    return numbers;
}

SettingRow DtmfCodeRow(const char* name, const char* caption, DtmfCode code) {
    return ImageTextRow(name, caption, [code](const TALL& all) { return ReadDtmfCode(all, code); });
}

// The decode page is offered only where the radio has the decoder.
SettingRow OnDecodePage(SettingRow row) {
    row.shown = [](const TALL& all) { return all.DtmfDecodeVisible; };
    return row;
}

SettingSection DtmfSection() {
    std::vector<SettingRow> rows{
        DtmfCodeRow("lEntv", "Begin of Tx", DtmfCode::Begin),
        DtmfCodeRow("lEndv", "End of Tx", DtmfCode::End),
        FieldRow("lRate", "DTMF Speed[digit/s]", {"cxRate", NumberTexts(4, 15)}, kDtmfSpeed),
        FieldRow("lFiSv", "First Digit Time [ms]", {"cxFiSv", NumberTexts(0, 1000, 100)},
                 kDtmfFirstDigitTime),
        FieldRow("lFiDv", "First Digit Delay [ms]", {"cxFiDv", NumberTexts(100, 1000, 100)},
                 kDtmfFirstDigitDelay),
        ListRow("lEfSv", "* and # Tone [ms]", {"cxEfSv", {"0", "100", "500", "1000"}},
                [](const TALL& all) { return StarToneItemOfCode(ReadField(all, kDtmfStarTone)); }),
        FieldRow("lTxTs", "Code Space Time[ms]",
                 {"cxTxTs", Prefixed("None", NumberTexts(600, 2000, 100))}, kDtmfCodeSpace),
        FieldRow("lAbcd", "Code[A,B,C,D]", {"cxAbcd", {"Inhibit", "On"}}, kDtmfAbcd),
        CheckRow("cxBeep", "DTMF Side Tone",
                 [](const TALL& all) { return ReadField(all, kDtmfSideTone) == 1; }),
    };
    for (SettingRow row : {
             FieldRow("lGroup", "Group Code", {"cxGroup", {"Off", "A", "B", "C", "D"}},
                      kDtmfGroupCode),
             DtmfCodeRow("lIdSv", "ID Code", DtmfCode::Id),
             FieldRow("lBack", "Auto Reset Time [s]",
                      {"cxBack", Prefixed("Off", NumberTexts(1, 15))}, kDtmfResetTime),
             FieldRow("lTxYs", "Tx Decode", {"cxTxYs", {"Off", "On"}}, kDtmfTxDecode),
             FieldRow("lIdEs", "ID Edit", {"cxIdEs", {"Off", "On"}}, kDtmfIdEdit),
             FieldRow("lRxTs", "Decode Time Out[ms]", {"cxRxTs", NumberTexts(500, 1500, 100)},
                      kDtmfDecodeTimeOut),
             DtmfCodeRow("lStunSv", "Stun Code", DtmfCode::Stun),
             FieldRow("lStunSw", "Stun Type", {"cxStunSw", {"Tx/Rx Inhibit", "Tx Inhibit"}},
                      kDtmfStunType),
         })
        rows.push_back(OnDecodePage(std::move(row)));
    return {"fDtmfFun", "DTMF Function", nullptr, nullptr, std::move(rows)};
}

SettingSection OptionSection() {
    const SettingList onOff{"", {"Off", "On"}};
    const auto named = [](const char* name, SettingList list) {
        list.name = name;
        return list;
    };
    return {
        "fOptFun",
        "Optional Function",
        nullptr,
        nullptr,
        {
            FieldRow("cl00", "Open Show", {"cxOpenSw", {"None", "Msg", "DC"}}, kOpenShow),
            ImageTextRow("cl01", "Radio Name", ReadPowerOnText),
            ListRow("cl02", "Mode",
                    {"cxModeSw", {"Freq.", "Chs Freq.", "Chs.", "FM Freq.", "FM Chs."}},
                    ReadModeItem),
            FieldRow("cl03", "Double Wait", named("cxDWait", onOff), kDualWatch),
            FieldRow("cl04", "Chs Name", {"cxChsNs", {"Yes", "No"}}, kChannelName),
            ListRow("cl05", "Battery Save", {"cxRxSav", {"OFF", "1:1", "1:2", "1:3", "1:4"}},
                    ReadBatterySave),
            FieldRow("cl06", "Key Lock", {"cxLockSw", {"Auto", "Manual"}}, kKeyLock),
            FieldRow("cl07", "Vol Inhibit Tx", {"cxBatTx", {"None", "Low", "High", "Both"}},
                     kVolumeInhibitTx),
            FieldRow("cl08", "Beep", named("cxToneEs", onOff), kBeep),
            ListRow("cl09", "Voice", {"cxWavsSw", {"Off", "English", "Chinese"}}, ReadVoice),
            FieldRow("cl10", "Lamp", {"cxLamp", {"Off", "On", "Auto"}}, kLamp),
            FieldRow("cl11", "Tx Over Tone", {"cxRoger", {"On", "Off"}}, kRogerTone),
            FieldRow("cl12", "Color", {"cxColor", {"Color-1", "Color-2", "Color-3"}}, kColour),
            FieldRow("cl13", "Cross-band function", {"cxRelay", {"On", "Off"}}, kCrossBand),
            FieldRow("cl14", "Squelch level ", {"cxSqlLv", NumberTexts(0, 9), None}, kSquelch),
            FieldRow("cl15", "TX Time Out[s]",
                     {"cxTotSv", Prefixed("Off", NumberTexts(30, 360, 30)), FirstOnly}, kTxTimeOut),
            FieldRow("cl16", "Super Save", {"cxSaveLs", Prefixed("Off", NumberTexts(1, 9, 1, "s"))},
                     kSuperSave),
            ListRow("cl17", "Manual Freq.", {"cxFrq_Use", {"Yes", "No"}},
                    [](const TALL& all) { return ReadManualFreq(all) ? 0 : 1; }),
            // The fourth range's transmit switch (kFourthRangeTx) is kept out of sight.
            CheckRow("cxRelaySet", "Cross-band setting",
                     [](const TALL& all) { return ReadField(all, kCrossBandSetting) == 1; }),
            CheckRow("cxMenuSet", "Manual setting",
                     [](const TALL& all) { return ReadField(all, kManualSetting) == 1; }),
        },
    };
}

SettingSection VoxSection() {
    // The receive inhibit (kVoxInhibitOnRx) is not offered.
    return {
        "fVoxFun",
        "Vox Function",
        nullptr,
        nullptr,
        {
            FieldRow("L1", "VOX Gain Level", {"cxVoxLv", NumberTexts(1, 9), FirstOnly}, kVoxGain),
            FieldRow("L2", "VOX Delay Time[s]", {"cxVoxDv", {"0.5", "1.0", "2.0", "3.0"}},
                     kVoxDelay),
        }};
}

SettingSection ScanSection() {
    return {
        "fScanFun",
        "Scan Information",
        nullptr,
        nullptr,
        {
            FieldRow("lx01", "Scan Mode", {"cxScanMode", {"CO", "TO", "SE"}}, kScanMode),
            FieldRow("lx02", "Scan Speed[ms]", {"cxScanRate", NumberTexts(100, 500, 50)},
                     kScanSpeed),
            FieldRow("lx03", "Dropout Delay Time[s]", {"cxScanBack", NumberTexts(3, 30)},
                     kDropoutDelay),
            // "OFF", then the image's channels: the field is one byte, so 255 at most.
            {"lx04", "Priority Channel",
             [](const TALL& all, const FormTexts& texts) {
                 const int channels = std::clamp(all.ChannelCount, 0, FieldMax(kPriorityChannel));
                 const SettingList list{"cxScanPris", Prefixed("OFF", NumberTexts(1, channels)),
                                        FirstOnly};
                 return list.ItemText(ReadField(all, kPriorityChannel), texts);
             },
             nullptr},
        },
    };
}

} // namespace

std::vector<SettingSection> FunctionSections() {
    return {DtmfSection(), OptionSection(), VoxSection(), ScanSection()};
}

} // namespace zorva
