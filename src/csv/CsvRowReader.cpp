#include "csv/CsvRowReader.h"

#include "codec/ChannelRecord.h"
#include "codec/FieldRules.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "fields/ChannelColumns.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace zorva::csv {

const CsvProblem& Problems::Add(CsvIssue issue, int line, std::string column, std::string value,
                                std::string detail) {
    list_.push_back({issue, line, std::move(column), std::move(value), 0, std::move(detail)});
    if (list_.back().IsError()) errors_ = true;
    return list_.back();
}

void RowReader::Error(CsvIssue issue, Column column, std::string value, std::string detail) {
    const CsvProblem& problem =
        problems_.Add(issue, record_.line, Name(column), std::move(value), std::move(detail));
    if (!firstError_) firstError_ = problem;
}

void RowReader::RowError(CsvIssue issue, std::string value) {
    const CsvProblem& problem = problems_.Add(issue, record_.line, {}, std::move(value));
    if (!firstError_) firstError_ = problem;
}

void RowReader::Warn(CsvIssue issue, Column column, std::string value) {
    problems_.Add(issue, record_.line, Name(column), std::move(value));
}

std::string RowReader::Dotted(const std::string& text) const {
    std::string dotted = text;
    if (decimalComma_ && std::count(text.begin(), text.end(), ',') == 1 &&
        text.find('.') == std::string::npos)
        dotted[text.find(',')] = '.';
    return dotted;
}

std::optional<double> RowReader::Number(Column column, const std::string& text) {
    const std::string dotted = Dotted(text);
    const auto comma = dotted.find(',');
    if (comma != std::string::npos) {
        std::string pointed = dotted;
        pointed[comma] = '.';
        if (ParseNumber(pointed)) {
            Error(CsvIssue::DecimalComma, column, text);
            return std::nullopt;
        }
    }
    const auto number = ParseNumber(dotted);
    if (!number) Error(CsvIssue::BadNumber, column, text);
    return number;
}

std::string RowReader::Name(Column column) const {
    const int at = columnOf_[column];
    return at >= 0 && at < static_cast<int>(names_.size()) ? names_[at] : CsvColumns()[column];
}

namespace {

// Yes and no as a file may write them: the first three are on.
constexpr const char* kOnOffWords[] = {"on", "yes", "1", "off", "no", "0"};

// A frequency put on the raster as the table puts it (10 Hz units), with a warning when that
// moved it; nullopt after an error.
std::optional<int64_t> SnappedUnits(RowReader& row, Column column, double mhz) {
    double snapped = mhz;
    Raster raster = Raster::Nearer;
    const int64_t units = SnapToRaster(snapped, raster);
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
    if (code.empty() || code.size() > 3 || !AllDigits(code) ||
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
std::optional<int> Choice(RowReader& row, Column column, std::span<const char* const> texts,
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
    const auto choice = Choice(row, column, kOnOffWords, CsvIssue::BadOnOff, -1);
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
        cell = row.Dotted(cell);
        std::string pointed = cell;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        const auto watts = ParseNumber(cell);
        if (!watts || *watts < 0) {
            row.Error(ParseNumber(pointed) ? CsvIssue::DecimalComma : CsvIssue::BadPower, kPower,
                      row.Cell(kPower));
            return;
        }
        power = *watts < 2.5 ? 0 : 1;
    }
    out.fields.emplace_back(kFieldPower, std::to_string(power));
}

// The bytes of the UTF-8 sequence that `lead` starts.
std::size_t SequenceLength(char lead) {
    const auto c = static_cast<unsigned char>(lead);
    return c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
}

// Only the characters kept are checked: a long name is cut to what the radio shows, and what
// was cut away cannot be at fault. Trailing blanks are the name's padding, leading ones its own.
void ReadName(RowReader& row, CsvChannelRow& out) {
    std::string field = row.Has(kName) ? row.Field(kName) : "";
    field.erase(field.find_last_not_of(" \t") + 1);
    std::size_t end = 0;
    for (int count = 0; end < field.size() && count < kNameLength; ++count)
        end = std::min(field.size(), end + SequenceLength(field[end]));
    bool accents = false;
    const std::string name = PlainLetters(field.substr(0, end), accents);
    if (!NameOfRadio(name)) {
        row.Error(CsvIssue::BadNameChar, kName, field);
        return;
    }
    if (end < field.size()) row.Warn(CsvIssue::NameCut, kName, name);
    if (accents) row.Warn(CsvIssue::NameAccents, kName, name);
    out.fields.emplace_back(kFieldName, name);
}

// The export writes at least three digits, so a shorter code has lost its leading zeros in a
// spreadsheet that took it for a number: they are put back instead of padding on the right as
// the table does with what is typed.
void ReadIdCode(RowReader& row, CsvChannelRow& out) {
    std::string code = row.Cell(kIdCode);
    if (code.size() > static_cast<std::size_t>(kIdCodeLength) || !AllDigits(code)) {
        row.Error(CsvIssue::BadIdCode, kIdCode, code);
        return;
    }
    if (!code.empty() && code.size() < 3) {
        code.insert(0, 3 - code.size(), '0');
        row.Warn(CsvIssue::IdCodePadded, kIdCode, code);
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
    if (!InBandInUse(all, UnitsToMhz(*rx))) {
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
            const int64_t distance = MhzToUnits(*offset) * (duplex == "+" ? 1 : -1);
            tx = SnappedUnits(row, kOffset, UnitsToMhz(*rx + distance));
        }
        if (!tx) return false;
        if (!InBandInUse(all, UnitsToMhz(*tx))) {
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

} // namespace

CsvChannelRow ReadRow(const TALL& all, RowReader& row) {
    CsvChannelRow out;
    if (!ReadFrequencies(all, row, out)) return out;
    std::string tx, rx;
    if (ReadTones(row, tx, rx)) {
        out.fields.emplace_back(kFieldRxTone, rx);
        out.fields.emplace_back(kFieldTxTone, tx);
    }
    // Lists of scanners mark channels "Auto" for the mode usual on the band: FM here.
    if (Lower(row.Cell(kMode)) == "auto") {
        row.Warn(CsvIssue::ModeAuto, kMode, row.Cell(kMode));
        out.fields.emplace_back(kFieldBandwidth, "1");
    } else if (const auto wide = Choice(row, kMode, kModes, CsvIssue::BadMode, 1)) {
        out.fields.emplace_back(kFieldBandwidth, std::to_string(*wide));
    }
    // A channel is scanned unless the file skips it; a file without the column adds it as the
    // table adds a new channel.
    if (const auto skip = Choice(row, kSkip, kSkipMarks, CsvIssue::BadSkip, -1))
        out.fields.emplace_back(kFieldScan, !row.Has(kSkip) ? "1" : *skip < 0 ? "0" : "1");
    ReadPower(row, out);
    ReadOnOff(row, kBusyLock, kFieldBusyLock, "0", "1", out);
    ReadOnOff(row, kVox, kFieldVox, "0", "1", out);
    ReadOnOff(row, kAni, kFieldAni, "0", "1", out);
    ReadOnOff(row, kEpilogue, kFieldEpilogue, "1", "1", out);
    if (const auto ptt = Choice(row, kPttId, ChoiceTexts(kFieldPttId), CsvIssue::BadPttId, 0))
        out.fields.emplace_back(kFieldPttId, std::to_string(*ptt));
    if (const auto voice =
            Choice(row, kVoiceMode, ChoiceTexts(kFieldVoiceMode), CsvIssue::BadVoiceMode, 0))
        out.fields.emplace_back(kFieldVoiceMode, std::to_string(*voice));
    ReadName(row, out);
    ReadIdCode(row, out);
    return out;
}

} // namespace zorva::csv
