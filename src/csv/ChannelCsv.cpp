#include "csv/ChannelCsv.h"

#include "codec/ChannelRecord.h"
#include "codec/ChannelRows.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/OptionCodes.h"
#include "codec/ToneCodec.h"
#include "codec/ToneList.h"
#include "core/TAll.h"
#include "csv/CsvTable.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>

namespace zorva {

namespace {

// Column positions in the export's order.
enum Column {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrCall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kBusyLock,
    kVox,
    kPttId,
    kAni,
    kIdCode,
    kVoiceMode,
    kEpilogue,
    kColumnCount
};

constexpr int kNameLength = 7;
constexpr const char* kPttIds[] = {"Off", "BOT", "EOT", "Both"};
constexpr const char* kVoiceModes[] = {"Off", "Compander", "Scrambler", "Both"};
constexpr const char* kNoTxTone = "88.5";
constexpr const char* kNoDcs = "023";

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

int64_t Units(double mhz) {
    return MhzToUnits(mhz);
}

// The first band of the image that holds the frequency, -1 for none.
int BandOf(const TALL& all, int64_t units) {
    for (int band = 0; band < kBands; ++band)
        if (BandInUse(all, band) && Units(all.BandLow[band]) <= units &&
            units <= Units(all.BandHigh[band]))
            return band;
    return -1;
}

std::string OnOff(bool on) {
    return on ? "On" : "Off";
}

bool IsCtcssOfRadio(const std::string& tone) {
    const auto& tones = CtcssTones();
    return std::find(tones.begin(), tones.end(), tone) != tones.end();
}

bool IsDcsOfRadio(const std::string& code) {
    const auto& codes = DcsCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
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

bool NameOfRadio(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= ' ' && c <= 'z'; });
}

std::vector<std::string> ChannelRow(const TALL& all, int channel, const TChannel& c,
                                    std::vector<CsvProblem>& warnings) {
    std::vector<std::string> row(kColumnCount);
    row[kLocation] = std::to_string(channel);
    row[kName] = Latin1ToUtf8(c.Name);
    if (!NameOfRadio(c.Name)) warnings.push_back({CsvIssue::ExportName, 0, {}, {}, channel});
    row[kFrequency] = FormatFixed(c.RxFreq, 6);

    const int64_t rx = Units(c.RxFreq);
    if (c.TxFreq == kNoFreq) {
        row[kDuplex] = "off";
        row[kOffset] = FormatFixed(0.0, 6);
    } else {
        const int64_t tx = Units(c.TxFreq);
        const int rxBand = BandOf(all, rx);
        const bool inRxBand =
            rxBand >= 0 && Units(all.BandLow[rxBand]) <= tx && tx <= Units(all.BandHigh[rxBand]);
        if (tx == rx) {
            row[kOffset] = FormatFixed(0.0, 6);
        } else if (!inRxBand) {
            row[kDuplex] = "split";
            row[kOffset] = FormatFixed(c.TxFreq, 6);
        } else {
            row[kDuplex] = tx > rx ? "+" : "-";
            row[kOffset] = FormatFixed(UnitsToMhz(std::llabs(tx - rx)), 6);
        }
        if (BandOf(all, tx) < 0) warnings.push_back({CsvIssue::ExportTx, 0, {}, {}, channel});
    }

    const Tone t = ToneOf(c.TxTone), r = ToneOf(c.RxTone);
    PutTones(row, t, r);
    if (!ToneOfRadio(t) || !ToneOfRadio(r))
        warnings.push_back({CsvIssue::ExportTone, 0, {}, {}, channel});

    row[kMode] = c.Bandwidth ? "FM" : "NFM";
    const int step = std::clamp<int>(ReadField(all, kVfoStep), 0, kVfoStepsKhz.size() - 1);
    row[kTStep] = FormatFixed(kVfoStepsKhz[step], 2);
    row[kSkip] = IsOn(c, OnFlag::Scan) ? "" : "S";
    row[kPower] = c.Power ? "High" : "Low";
    row[kBusyLock] = OnOff(IsOn(c, OnFlag::BusyLock));
    row[kVox] = OnOff(IsOn(c, OnFlag::Vox));
    row[kPttId] = kPttIds[c.PttId & 3];
    row[kAni] = OnOff(IsOn(c, OnFlag::Ani));
    row[kIdCode] = c.IdCode;
    row[kVoiceMode] = kVoiceModes[c.VoiceMode & 3];
    row[kEpilogue] = OnOff(c.Epilogue == 1);
    return row;
}

// ---- Import --------------------------------------------------------------------------------

// The problems of one reading, capped.
class Problems {
public:
    explicit Problems(std::vector<CsvProblem>& list) : list_(list) {}
    void Add(CsvIssue issue, int line, std::string column = {}, std::string value = {}) {
        const CsvProblem problem{issue, line, std::move(column), std::move(value), 0};
        if (problem.IsError()) errors_ = true;
        if (static_cast<int>(list_.size()) < kCsvMaxProblems) {
            list_.push_back(problem);
        } else {
            ++dropped_;
        }
    }
    void Finish() {
        if (dropped_) list_.push_back({CsvIssue::MoreProblems, 0, {}, std::to_string(dropped_), 0});
    }
    bool Errors() const { return errors_; }

private:
    std::vector<CsvProblem>& list_;
    int dropped_ = 0;
    bool errors_ = false;
};

// One data row being read: its cells by column, and where to tell its problems.
class RowReader {
public:
    RowReader(const CsvRecord& record, const std::vector<int>& columnOf,
              const std::vector<std::string>& names, Problems& problems)
        : record_(record), columnOf_(columnOf), names_(names), problems_(problems) {}

    bool Has(Column column) const {
        const int at = columnOf_[column];
        return at >= 0 && at < static_cast<int>(record_.fields.size());
    }
    std::string Cell(Column column) const { return Has(column) ? Trim(Field(column)) : ""; }
    std::string Field(Column column) const { return record_.fields[columnOf_[column]]; }
    void Error(CsvIssue issue, Column column, std::string value) {
        problems_.Add(issue, record_.line, Name(column), std::move(value));
        ok_ = false;
    }
    void RowError(CsvIssue issue, std::string value) {
        problems_.Add(issue, record_.line, {}, std::move(value));
        ok_ = false;
    }
    void Warn(CsvIssue issue, Column column, std::string value) {
        problems_.Add(issue, record_.line, Name(column), std::move(value));
    }
    bool Ok() const { return ok_; }
    int Line() const { return record_.line; }

    // A decimal number; a decimal comma and anything else that is no number are errors.
    std::optional<double> Number(Column column, const std::string& text) {
        const auto comma = text.find(',');
        if (comma != std::string::npos) {
            std::string dotted = text;
            dotted[comma] = '.';
            if (ParseNumber(dotted)) {
                Error(CsvIssue::DecimalComma, column, text);
                return std::nullopt;
            }
        }
        const auto number = ParseNumber(text);
        if (!number) Error(CsvIssue::BadNumber, column, text);
        return number;
    }

private:
    // The column as the file names it; one the file lacks (its default was taken, as the
    // offset of a "+" row without an Offset column) as the export names it.
    std::string Name(Column column) const {
        const int at = columnOf_[column];
        return at >= 0 && at < static_cast<int>(names_.size()) ? names_[at] : CsvColumns()[column];
    }

    const CsvRecord& record_;
    const std::vector<int>& columnOf_;
    const std::vector<std::string>& names_;
    Problems& problems_;
    bool ok_ = true;
};

// A frequency put on the raster as the table puts it (10 Hz units), with a warning when that
// moved it; nullopt after an error.
std::optional<int64_t> SnappedUnits(RowReader& row, Column column, double mhz) {
    double snapped = mhz;
    int mode = 2;
    const int64_t units = SnapToRaster(snapped, mode);
    if (units < 0 || units > 0x7FFFFFFF) {
        row.Error(CsvIssue::BadNumber, column, FormatFixed(mhz, 6));
        return std::nullopt;
    }
    if (std::llround(mhz * 1e6) != units * 10)
        row.Warn(CsvIssue::Snapped, column, FormatFixed(snapped, 6));
    return units;
}

std::optional<std::string> CtcssCell(RowReader& row, Column column) {
    const std::string text = row.Has(column) ? row.Cell(column) : kNoTxTone;
    const auto number = row.Number(column, text);
    if (!number) return std::nullopt;
    const std::string tone = FormatFixed(*number, 1);
    if (std::fabs(*number * 10 - std::round(*number * 10)) > 1e-6 || !IsCtcssOfRadio(tone)) {
        row.Error(CsvIssue::BadTone, column, text);
        return std::nullopt;
    }
    return tone;
}

std::optional<std::string> DcsCell(RowReader& row, Column column, char polarity) {
    const std::string text = row.Has(column) ? row.Cell(column) : kNoDcs;
    std::string code = text;
    if (code.empty() || code.size() > 3 ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        !IsDcsOfRadio(code.insert(0, 3 - code.size(), '0'))) {
        row.Error(CsvIssue::BadDcs, column, text);
        return std::nullopt;
    }
    return "D" + code + (polarity == 'R' ? "I" : "N");
}

// The TX and RX tone texts of the row's tone columns.
bool ReadTones(RowReader& row, std::string& tx, std::string& rx) {
    std::string polarity = row.Has(kDtcsPolarity) ? row.Cell(kDtcsPolarity) : "NN";
    std::transform(polarity.begin(), polarity.end(), polarity.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (polarity.empty()) polarity = "NN";
    const auto polarityOk = [&] {
        const bool ok = polarity.size() == 2 && (polarity[0] == 'N' || polarity[0] == 'R') &&
                        (polarity[1] == 'N' || polarity[1] == 'R');
        if (!ok) row.Error(CsvIssue::BadPolarity, kDtcsPolarity, row.Cell(kDtcsPolarity));
        return ok;
    };
    const std::string mode = Lower(row.Cell(kTone));
    std::string txSide, rxSide; // "tone", "dtcs" or ""
    bool tsql = false;
    if (mode.empty()) {
    } else if (mode == "tone") {
        txSide = "tone";
    } else if (mode == "tsql") {
        tsql = true;
    } else if (mode == "dtcs") {
        if (!polarityOk()) return false;
        const auto code = DcsCell(row, kDtcsCode, polarity[0]);
        if (!code) return false;
        tx = *code;
        rx = *DcsCell(row, kDtcsCode, polarity[1]);
        return true;
    } else if (mode == "cross") {
        const std::string cross =
            Lower(row.Has(kCrossMode) ? row.Cell(kCrossMode) : std::string("Tone->Tone"));
        const auto arrow = cross.find("->");
        txSide = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        rxSide = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        const auto known = [](const std::string& side) {
            return side.empty() || side == "tone" || side == "dtcs";
        };
        if (!known(txSide) || !known(rxSide) || (txSide.empty() && rxSide.empty())) {
            row.Error(CsvIssue::BadCrossMode, kCrossMode, row.Cell(kCrossMode));
            return false;
        }
    } else {
        row.Error(CsvIssue::BadToneMode, kTone, row.Cell(kTone));
        return false;
    }
    if (tsql) {
        const auto tone = CtcssCell(row, kCToneFreq);
        if (!tone) return false;
        tx = rx = *tone;
        return true;
    }
    if ((txSide == "dtcs" || rxSide == "dtcs") && !polarityOk()) return false;
    bool ok = true;
    const auto read = [&](const std::string& side, Column ctcss, Column dcs, char pol) {
        std::optional<std::string> tone = std::string();
        if (side == "tone") tone = CtcssCell(row, ctcss);
        if (side == "dtcs") tone = DcsCell(row, dcs, pol);
        if (!tone) ok = false;
        return tone.value_or("");
    };
    tx = read(txSide, kRToneFreq, kDtcsCode, polarity[0]);
    rx = read(rxSide, kCToneFreq, kRxDtcsCode, polarity[1]);
    return ok;
}

// A choice among `texts` (case aside); an empty cell or a missing column is `absent`.
std::optional<int> Choice(RowReader& row, Column column, std::initializer_list<const char*> texts,
                          CsvIssue issue, int absent) {
    const std::string cell = Lower(row.Cell(column));
    if (cell.empty()) return absent;
    int index = 0;
    for (const char* text : texts) {
        if (cell == Lower(text)) return index;
        ++index;
    }
    row.Error(issue, column, row.Cell(column));
    return std::nullopt;
}

// On/Off, Yes/No, 1/0 as the stored value of a flag (`onValue` for on).
void ReadOnOff(RowReader& row, Column column, int field, const char* onValue, const char* absent,
               CsvChannelRow& out) {
    const auto choice =
        Choice(row, column, {"on", "yes", "1", "off", "no", "0"}, CsvIssue::BadOnOff, -1);
    if (!choice) return;
    const std::string offValue = std::string(onValue) == "0" ? "1" : "0";
    const std::string value = *choice < 0 ? absent : *choice < 3 ? onValue : offValue;
    out.fields.emplace_back(field, value);
}

void ReadPower(RowReader& row, CsvChannelRow& out) {
    std::string cell = Lower(row.Cell(kPower));
    int power = 1;
    if (cell == "low" || cell == "l") {
        power = 0;
    } else if (!cell.empty() && cell != "high" && cell != "h") {
        if (cell.back() == 'w') cell.pop_back();
        std::string dotted = cell;
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        const auto watts = ParseNumber(cell);
        if (!watts || *watts < 0) {
            row.Error(ParseNumber(dotted) ? CsvIssue::DecimalComma : CsvIssue::BadPower, kPower,
                      row.Cell(kPower));
            return;
        }
        power = *watts < 2.5 ? 0 : 1;
    }
    out.fields.emplace_back(kFieldPower, std::to_string(power));
}

void ReadName(RowReader& row, CsvChannelRow& out) {
    std::string name = row.Has(kName) ? row.Field(kName) : "";
    if (!NameOfRadio(name)) {
        row.Error(CsvIssue::BadNameChar, kName, name);
        return;
    }
    if (name.size() > kNameLength) {
        name.resize(kNameLength);
        row.Warn(CsvIssue::NameCut, kName, name);
    }
    out.fields.emplace_back(kFieldName, name);
}

void ReadIdCode(RowReader& row, CsvChannelRow& out) {
    const std::string code = row.Cell(kIdCode);
    if (code.size() > 6 ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        row.Error(CsvIssue::BadIdCode, kIdCode, code);
        return;
    }
    out.fields.emplace_back(kFieldIdCode, code);
}

// RX and TX; false after an error.
bool ReadFrequencies(const TALL& all, RowReader& row, CsvChannelRow& out) {
    if (!row.Has(kFrequency)) {
        row.RowError(CsvIssue::MissingColumn, CsvColumns()[kFrequency]);
        return false;
    }
    const auto rxMhz = row.Number(kFrequency, row.Cell(kFrequency));
    if (!rxMhz) return false;
    const auto rx = SnappedUnits(row, kFrequency, *rxMhz);
    if (!rx) return false;
    if (BandOf(all, *rx) < 0) {
        row.Error(CsvIssue::FreqNoBand, kFrequency, row.Cell(kFrequency));
        return false;
    }
    const std::string duplex = Lower(row.Cell(kDuplex));
    std::optional<int64_t> tx = *rx;
    if (duplex == "off") {
        tx.reset();
    } else if (duplex == "+" || duplex == "-" || duplex == "split") {
        const auto offset = row.Number(kOffset, row.Has(kOffset) ? row.Cell(kOffset) : "0");
        if (!offset) return false;
        if (duplex == "split") {
            tx = SnappedUnits(row, kOffset, *offset);
        } else {
            const int64_t distance = Units(*offset) * (duplex == "+" ? 1 : -1);
            tx = SnappedUnits(row, kOffset, UnitsToMhz(*rx + distance));
        }
        if (!tx) return false;
        if (BandOf(all, *tx) < 0) {
            row.Error(CsvIssue::TxNoBand, kOffset, FormatFixed(UnitsToMhz(*tx), 6));
            return false;
        }
    } else if (!duplex.empty()) {
        row.Error(CsvIssue::BadDuplex, kDuplex, row.Cell(kDuplex));
        return false;
    }
    out.fields.emplace_back(kFieldRxFreq, FormatFreq(UnitsToMhz(*rx)));
    out.fields.emplace_back(kFieldTxFreq, tx ? FormatFreq(UnitsToMhz(*tx)) : "");
    return true;
}

CsvChannelRow ReadRow(const TALL& all, RowReader& row) {
    CsvChannelRow out;
    if (!ReadFrequencies(all, row, out)) return out;
    std::string tx, rx;
    if (ReadTones(row, tx, rx)) {
        out.fields.emplace_back(kFieldRxTone, rx);
        out.fields.emplace_back(kFieldTxTone, tx);
    }
    if (const auto wide = Choice(row, kMode, {"NFM", "FM"}, CsvIssue::BadMode, 1))
        out.fields.emplace_back(kFieldBandwidth, std::to_string(*wide));
    // A channel is scanned unless the file skips it; a file without the column adds it as the
    // table adds a new channel.
    if (const auto skip = Choice(row, kSkip, {"S", "P"}, CsvIssue::BadSkip, -1))
        out.fields.emplace_back(kFieldScan, !row.Has(kSkip) ? "1" : *skip < 0 ? "0" : "1");
    ReadPower(row, out);
    ReadOnOff(row, kBusyLock, kFieldBusyLock, "0", "1", out);
    ReadOnOff(row, kVox, kFieldVox, "0", "1", out);
    ReadOnOff(row, kAni, kFieldAni, "0", "1", out);
    ReadOnOff(row, kEpilogue, kFieldEpilogue, "1", "1", out);
    if (const auto ptt = Choice(row, kPttId, {"Off", "BOT", "EOT", "Both"}, CsvIssue::BadPttId, 0))
        out.fields.emplace_back(kFieldPttId, std::to_string(*ptt));
    if (const auto voice = Choice(row, kVoiceMode, {"Off", "Compander", "Scrambler", "Both"},
                                  CsvIssue::BadVoiceMode, 0))
        out.fields.emplace_back(kFieldVoiceMode, std::to_string(*voice));
    ReadName(row, out);
    ReadIdCode(row, out);
    return out;
}

bool HasNul(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos;
}

char DelimiterOf(std::string_view text) {
    const auto start = text.find_first_not_of("\r\n");
    if (start == std::string_view::npos) return ',';
    const std::string_view line = text.substr(start, text.find_first_of("\r\n", start) - start);
    return line.find('\t') != std::string_view::npos && line.find(',') == std::string_view::npos
               ? '\t'
               : ',';
}

bool LooksLikeHeader(const CsvRecord& record) {
    return std::any_of(record.fields.begin(), record.fields.end(), [](const std::string& field) {
        const std::string name = Lower(Trim(field));
        return name == "location" || name == "frequency";
    });
}

} // namespace

bool CsvProblem::IsError() const {
    switch (issue) {
    case CsvIssue::Snapped:
    case CsvIssue::NameCut:
    case CsvIssue::ExportName:
    case CsvIssue::ExportTone:
    case CsvIssue::ExportTx:
    case CsvIssue::MoreProblems:
        return false;
    default:
        return true;
    }
}

bool CsvImportPlan::HasErrors() const {
    return std::any_of(problems.begin(), problems.end(),
                       [](const CsvProblem& p) { return p.IsError(); });
}

const std::vector<std::string>& CsvColumns() {
    static const std::vector<std::string> columns{
        "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
        "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
        "Mode",      "TStep",     "Skip",      "Power",        "Comment",    "URCALL",
        "RPT1CALL",  "RPT2CALL",  "DVCODE",    "BusyLock",     "Vox",        "PttId",
        "Ani",       "IdCode",    "VoiceMode", "Epilogue"};
    return columns;
}

const char* CsvIssueKey(CsvIssue issue) {
    static constexpr const char* kKeys[kCsvIssueCount] = {
        "Empty",         "TooLarge",    "NotText",      "BadQuotes",    "FieldCount",
        "MissingColumn", "NoRoom",      "BadNumber",    "DecimalComma", "BadLocation",
        "LocationTwice", "FreqNoBand",  "TxNoBand",     "BadDuplex",    "BadToneMode",
        "BadCrossMode",  "BadTone",     "BadDcs",       "BadPolarity",  "BadMode",
        "BadPower",      "BadOnOff",    "BadSkip",      "BadPttId",     "BadVoiceMode",
        "BadIdCode",     "BadNameChar", "MoreProblems", "Snapped",      "NameCut",
        "ExportName",    "ExportTone",  "ExportTx"};
    return kKeys[static_cast<int>(issue)];
}

const CsvTexts& DefaultCsvTexts() {
    static const CsvTexts texts = [] {
        CsvTexts t;
        const auto set = [&t](CsvIssue issue, const char* text) {
            t.reasons[static_cast<int>(issue)] = text;
        };
        set(CsvIssue::Empty, "The file is empty; a channel list starts with a header row.");
        set(CsvIssue::TooLarge, "The file is too large for a channel list (more than 1 MB).");
        set(CsvIssue::NotText, "The file is not UTF-8 text.");
        set(CsvIssue::BadQuotes, "a quote is left open or misplaced");
        set(CsvIssue::FieldCount, "the row has %1 fields, not as many as the header");
        set(CsvIssue::MissingColumn, "the column %1 is missing");
        set(CsvIssue::NoRoom, "the rows run past the last channel (%1)");
        set(CsvIssue::BadNumber, "\"%1\" is not a number");
        set(CsvIssue::DecimalComma, "\"%1\" has a decimal comma; write numbers with a point");
        set(CsvIssue::BadLocation, "\"%1\" is not a channel number of the radio");
        set(CsvIssue::LocationTwice, "channel %1 is given twice");
        set(CsvIssue::FreqNoBand, "%1 MHz lies in no band of the radio");
        set(CsvIssue::TxNoBand, "the TX frequency %1 MHz lies in no band of the radio");
        set(CsvIssue::BadDuplex, "\"%1\" is not a duplex (off, +, -, split or empty)");
        set(CsvIssue::BadToneMode, "\"%1\" is not a tone mode of the radio (Tone, TSQL, DTCS, "
                                   "Cross or empty)");
        set(CsvIssue::BadCrossMode, "\"%1\" is not a cross mode of the radio");
        set(CsvIssue::BadTone, "%1 is not a CTCSS tone of the radio");
        set(CsvIssue::BadDcs, "\"%1\" is not a DCS code of the radio");
        set(CsvIssue::BadPolarity, "\"%1\" is not a DCS polarity (NN, NR, RN or RR)");
        set(CsvIssue::BadMode, "\"%1\" is not a mode of the radio (FM or NFM)");
        set(CsvIssue::BadPower, "\"%1\" is not a power (High, Low or watts)");
        set(CsvIssue::BadOnOff, "\"%1\" is neither On nor Off");
        set(CsvIssue::BadSkip, "\"%1\" is not a skip mark (S, P or empty)");
        set(CsvIssue::BadPttId, "\"%1\" is not a PTT ID (Off, BOT, EOT or Both)");
        set(CsvIssue::BadVoiceMode, "\"%1\" is not a voice mode (Off, Compander, Scrambler or "
                                    "Both)");
        set(CsvIssue::BadIdCode, "\"%1\" is not an ID code (up to 6 digits)");
        set(CsvIssue::BadNameChar, "\"%1\" has characters the radio cannot show (space to z)");
        set(CsvIssue::MoreProblems, "%1 more problems are not listed.");
        set(CsvIssue::Snapped, "put on the channel raster as %1 (warning)");
        set(CsvIssue::NameCut, "cut to seven characters as \"%1\" (warning)");
        set(CsvIssue::ExportName, "Channel %1: its name has characters an import refuses.");
        set(CsvIssue::ExportTone, "Channel %1: a tone the radio does not list; an import "
                                  "refuses it.");
        set(CsvIssue::ExportTx, "Channel %1: its TX frequency lies in no band; an import "
                                "refuses it.");
        return t;
    }();
    return texts;
}

std::string ProblemText(const CsvProblem& problem, const CsvTexts& texts) {
    // One pass, so that a value holding "%2" (a column name from the file) stays as it is.
    const auto fill = [](const std::string& pattern, const std::vector<std::string>& values) {
        std::string text;
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const std::size_t n = i + 1 < pattern.size() ? pattern[i + 1] - '1' : values.size();
            if (pattern[i] == '%' && n < values.size()) {
                text += values[n];
                ++i;
            } else {
                text += pattern[i];
            }
        }
        return text;
    };
    const int issue = static_cast<int>(problem.issue);
    const std::string& reasonPattern =
        texts.reasons[issue].empty() ? DefaultCsvTexts().reasons[issue] : texts.reasons[issue];
    const std::string reason =
        fill(reasonPattern, {problem.channel ? std::to_string(problem.channel) : problem.value});
    if (problem.line <= 0) return reason;
    const std::string line = std::to_string(problem.line);
    return problem.column.empty() ? fill(texts.lineOnly, {line, reason})
                                  : fill(texts.lineColumn, {line, problem.column, reason});
}

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

CsvImportPlan PlanCsvImport(const TALL& all, std::string_view bytes,
                            const CsvImportOptions& options) {
    CsvImportPlan plan;
    plan.replaceAll = options.replaceAll;
    Problems problems(plan.problems);
    if (bytes.size() > kCsvMaxBytes) {
        problems.Add(CsvIssue::TooLarge, 0);
        return plan;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (HasNul(bytes) || !IsValidUtf8(bytes)) {
        problems.Add(CsvIssue::NotText, 0);
        return plan;
    }
    const CsvReading reading = ReadCsv(bytes, DelimiterOf(bytes));
    if (reading.badQuotes) {
        problems.Add(CsvIssue::BadQuotes, reading.badLine);
        return plan;
    }
    if (reading.records.empty()) {
        problems.Add(CsvIssue::Empty, 0);
        return plan;
    }

    // The columns: by header name, case aside; or the export's, for rows without a header.
    const bool header = !options.headerOptional || LooksLikeHeader(reading.records.front());
    std::vector<std::string> names = CsvColumns();
    std::vector<int> columnOf(kColumnCount, -1);
    if (header) {
        names.clear();
        for (const std::string& field : reading.records.front().fields)
            names.push_back(Trim(field));
        for (int column = 0; column < kColumnCount; ++column)
            for (std::size_t at = 0; at < names.size(); ++at)
                if (columnOf[column] < 0 && Lower(names[at]) == Lower(CsvColumns()[column]))
                    columnOf[column] = static_cast<int>(at);
        for (Column required : {kLocation, kFrequency}) {
            if (required == kLocation && options.firstChannel > 0) continue;
            if (columnOf[required] < 0)
                problems.Add(CsvIssue::MissingColumn, reading.records.front().line, {},
                             CsvColumns()[required]);
        }
        if (problems.Errors()) return plan;
    } else {
        for (int column = 0; column < kColumnCount; ++column)
            columnOf[column] = column;
    }

    const int last = LastChannel(all);
    std::set<int> named;
    int next = options.firstChannel;
    for (std::size_t i = header ? 1 : 0; i < reading.records.size(); ++i) {
        const CsvRecord& record = reading.records[i];
        // Without a header, a row may stop early: the columns it lacks take their defaults.
        if (header ? record.fields.size() != names.size() : record.fields.size() > names.size()) {
            problems.Add(CsvIssue::FieldCount, record.line, {},
                         std::to_string(record.fields.size()));
            continue;
        }
        RowReader row(record, columnOf, names, problems);
        int channel = 0;
        if (options.firstChannel > 0) {
            channel = next++;
            if (channel > last) {
                if (channel == last + 1)
                    problems.Add(CsvIssue::NoRoom, record.line, {}, std::to_string(last));
                continue;
            }
        } else {
            const std::string location = row.Cell(kLocation);
            const auto number = ParseInteger(location);
            if (!number || *number < 1 || *number > last) {
                row.Error(CsvIssue::BadLocation, kLocation, location);
            } else if (!named.insert(*number).second) {
                row.Error(CsvIssue::LocationTwice, kLocation, location);
            } else {
                channel = *number;
            }
        }
        CsvChannelRow read = ReadRow(all, row);
        if (!row.Ok() || channel == 0) continue;
        read.channel = channel;
        named.insert(channel);
        plan.rows.push_back(std::move(read));
    }
    problems.Finish();

    for (int channel = 1; channel <= last; ++channel) {
        const bool inUse = all.IsSlotClear(kChannelBitmap, channel);
        if (named.count(channel)) {
            ++(inUse ? plan.replaced : plan.set);
        } else if (inUse) {
            ++(options.replaceAll ? plan.emptied : plan.kept);
        }
    }
    if (plan.HasErrors()) plan.rows.clear();
    return plan;
}

bool ApplyCsvImport(TALL& all, const CsvImportPlan& plan) {
    if (plan.HasErrors()) return false;
    std::set<int> named;
    for (const CsvChannelRow& row : plan.rows) {
        // A row describes the whole channel: nothing of what the channel held stays.
        ClearChannel(all, row.channel);
        InitNewChannel(all, row.channel, row.fields.front().second);
        for (auto [field, text] : row.fields)
            if (field != kFieldRxFreq) SetChannelField(all, row.channel, field, text);
        named.insert(row.channel);
    }
    if (plan.replaceAll)
        for (int channel = 1; channel <= LastChannel(all); ++channel)
            if (!named.count(channel)) ClearChannel(all, channel);
    return true;
}

} // namespace zorva
