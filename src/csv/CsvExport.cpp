// Export: the channels in use, one row each, and a warning for every channel an import of the
// row would refuse.
#include "codec/ChannelRecord.h"
#include "codec/ChannelRows.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/OptionCodes.h"
#include "core/TAll.h"
#include "csv/ChannelCsv.h"
#include "csv/CsvColumns.h"
#include "csv/CsvTable.h"
#include "fields/ChannelColumns.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace zorva {

namespace {

using namespace csv;

std::string OnOff(bool on) {
    return on ? "On" : "Off";
}

// The English text of a choice field's stored value; empty for a value the list lacks.
std::string ChoiceText(int field, int value) {
    const auto texts = ChoiceTexts(field);
    return value >= 0 && static_cast<std::size_t>(value) < texts.size() ? texts[value] : "";
}

// A decoded tone: none, a CTCSS value ("88.5") or a DCS code with its polarity.
struct Tone {
    enum Kind { None, Ctcss, Dcs } kind = None;
    std::string value; // "88.5" or "023"
    char polarity = 'N';
};

Tone ToneOf(const std::string& text) {
    if (text.empty()) return {};
    if (text.front() == 'D' && text.size() >= 5)
        return {Tone::Dcs, text.substr(1, 3), text.back() == 'I' ? 'R' : 'N'};
    const auto number = ParseNumber(text);
    return {Tone::Ctcss, number ? FormatFixed(*number, 1) : text, 'N'};
}

bool ToneOfRadio(const Tone& tone) {
    switch (tone.kind) {
    case Tone::Ctcss:
        return IsCtcssOfRadio(tone.value);
    case Tone::Dcs:
        return IsDcsOfRadio(tone.value);
    case Tone::None:
        break;
    }
    return true;
}

// The tone columns of one channel: Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity,
// RxDtcsCode, CrossMode.
void PutTones(std::vector<std::string>& row, const Tone& t, const Tone& r) {
    std::string mode, cross = "Tone->Tone";
    std::string rTone = kNoTxTone, cTone = kNoTxTone, code = kNoDcs, rxCode = kNoDcs;
    const auto ctcss = [](const Tone& tone) { return tone.kind == Tone::Ctcss; };
    const auto dcs = [](const Tone& tone) { return tone.kind == Tone::Dcs; };
    if (t.kind == Tone::None && r.kind == Tone::None) {
    } else if (ctcss(t) && r.kind == Tone::None) {
        mode = "Tone";
        rTone = t.value;
    } else if (ctcss(t) && ctcss(r) && t.value == r.value) {
        mode = "TSQL";
        rTone = cTone = t.value;
    } else if (dcs(t) && dcs(r) && t.value == r.value) {
        mode = "DTCS";
        code = t.value;
    } else {
        mode = "Cross";
        if (ctcss(t)) rTone = t.value;
        if (dcs(t)) code = t.value;
        if (ctcss(r)) cTone = r.value;
        if (dcs(r)) rxCode = r.value;
        const auto side = [](const Tone& tone) {
            return tone.kind == Tone::Ctcss ? "Tone" : tone.kind == Tone::Dcs ? "DTCS" : "";
        };
        cross = std::string(side(t)) + "->" + side(r);
    }
    row[kTone] = mode;
    row[kRToneFreq] = rTone;
    row[kCToneFreq] = cTone;
    row[kDtcsCode] = code;
    row[kDtcsPolarity] = std::string{dcs(t) ? t.polarity : 'N', dcs(r) ? r.polarity : 'N'};
    row[kRxDtcsCode] = rxCode;
    row[kCrossMode] = cross;
}

// Duplex and Offset: none, the same as RX, a distance within RX's band, or a split.
void PutTx(const TALL& all, const TChannel& c, std::vector<std::string>& row) {
    row[kOffset] = FormatFixed(0.0, 6);
    if (c.TxFreq == kNoFreq) {
        row[kDuplex] = "off";
        return;
    }
    const int64_t rx = MhzToUnits(c.RxFreq), tx = MhzToUnits(c.TxFreq);
    if (tx == rx) return;
    const int rxBand = BandHolding(all, c.RxFreq);
    if (rxBand < 0 || !InBand(all, rxBand, c.TxFreq)) {
        row[kDuplex] = "split";
        row[kOffset] = FormatFixed(c.TxFreq, 6);
    } else {
        row[kDuplex] = tx > rx ? "+" : "-";
        row[kOffset] = FormatFixed(UnitsToMhz(std::llabs(tx - rx)), 6);
    }
}

std::vector<std::string> ChannelRow(const TALL& all, int channel, const TChannel& c,
                                    std::vector<CsvProblem>& warnings) {
    std::vector<std::string> row(kColumnCount);
    row[kLocation] = std::to_string(channel);
    row[kName] = Latin1ToUtf8(c.Name);
    if (!NameOfRadio(c.Name)) warnings.push_back({CsvIssue::ExportName, 0, {}, {}, channel, {}});
    row[kFrequency] = FormatFixed(c.RxFreq, 6);
    PutTx(all, c, row);
    if (c.TxFreq != kNoFreq && !InBandInUse(all, c.TxFreq))
        warnings.push_back({CsvIssue::ExportTx, 0, {}, {}, channel, {}});

    const Tone t = ToneOf(c.TxTone), r = ToneOf(c.RxTone);
    PutTones(row, t, r);
    if (!ToneOfRadio(t) || !ToneOfRadio(r))
        warnings.push_back({CsvIssue::ExportTone, 0, {}, {}, channel, {}});

    row[kMode] = kModes[c.Bandwidth ? 1 : 0];
    const int step = std::clamp<int>(ReadField(all, kVfoStep), 0, kVfoStepsKhz.size() - 1);
    row[kTStep] = FormatFixed(kVfoStepsKhz[step], 2);
    row[kSkip] = IsOn(c, OnFlag::Scan) ? "" : kSkipMarks[0];
    row[kPower] = c.Power ? "High" : "Low";
    row[kBusyLock] = OnOff(IsOn(c, OnFlag::BusyLock));
    row[kVox] = OnOff(IsOn(c, OnFlag::Vox));
    row[kPttId] = ChoiceText(kFieldPttId, c.PttId & 3);
    row[kAni] = OnOff(IsOn(c, OnFlag::Ani));
    row[kIdCode] = c.IdCode;
    row[kVoiceMode] = ChoiceText(kFieldVoiceMode, c.VoiceMode & 3);
    row[kEpilogue] = OnOff(c.Epilogue == 1);
    return row;
}

} // namespace

CsvExport ExportChannelsCsv(const TALL& all, const std::vector<int>& channels) {
    CsvExport result;
    AppendCsvRecord(result.text, CsvColumns());
    std::set<int> chosen(channels.begin(), channels.end());
    TChannel c;
    for (int channel = 1; channel <= LastChannel(all); ++channel) {
        if (!chosen.empty() && !chosen.count(channel)) continue;
        if (!LoadChannel(all, channel, c)) continue;
        AppendCsvRecord(result.text, ChannelRow(all, channel, c, result.warnings));
    }
    return result;
}

} // namespace zorva
