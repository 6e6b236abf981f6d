// What can be wrong with a channel CSV, and how each problem is told.
#include "csv/ChannelCsv.h"

#include <algorithm>
#include <map>

namespace zorva {

bool CsvProblem::IsError() const {
    switch (issue) {
    case CsvIssue::ExtraFields:
    case CsvIssue::Snapped:
    case CsvIssue::NameCut:
    case CsvIssue::NameAccents:
    case CsvIssue::IdCodePadded:
    case CsvIssue::ModeAuto:
    case CsvIssue::ExportName:
    case CsvIssue::ExportTone:
    case CsvIssue::ExportTx:
        return false;
    default:
        return true;
    }
}

const char* CsvIssueKey(CsvIssue issue) {
    static constexpr const char* kKeys[kCsvIssueCount] = {
        "Empty",         "TooLarge",     "NotText",     "BadQuotes",    "NoHeader",
        "MissingColumn", "NoRoom",       "BadNumber",   "DecimalComma", "BadLocation",
        "LocationTwice", "FreqNoBand",   "TxNoBand",    "BadDuplex",    "BadToneMode",
        "BadCrossMode",  "BadTone",      "BadDcs",      "BadPolarity",  "BadMode",
        "BadPower",      "BadOnOff",     "BadSkip",     "BadPttId",     "BadVoiceMode",
        "BadIdCode",     "BadNameChar",  "ExtraFields", "Snapped",      "NameCut",
        "NameAccents",   "IdCodePadded", "ModeAuto",    "ExportName",   "ExportTone",
        "ExportTx"};
    return kKeys[static_cast<int>(issue)];
}

const CsvTexts& DefaultCsvTexts() {
    static const CsvTexts texts = [] {
        CsvTexts t;
        // The reason a problem is told with, and the kind it is counted under.
        const auto set = [&t](CsvIssue issue, const char* reason, const char* kind) {
            t.reasons[static_cast<int>(issue)] = reason;
            t.kinds[static_cast<int>(issue)] = kind;
        };
        set(CsvIssue::Empty, "The file is empty; a channel list starts with a header row.",
            "empty file");
        set(CsvIssue::TooLarge, "The file is too large for a channel list (more than 1 MB).",
            "file too large");
        set(CsvIssue::NotText, "The file is not UTF-8 text.", "not text");
        set(CsvIssue::BadQuotes, "a quote is left open or misplaced", "quote out of place");
        set(CsvIssue::NoHeader,
            "the header names neither Location nor Frequency (separators tried: comma, "
            "semicolon, tab)",
            "no header");
        set(CsvIssue::MissingColumn, "the column %1 is missing", "column missing");
        set(CsvIssue::NoRoom, "the row runs past the last channel (%1)", "past the last channel");
        set(CsvIssue::BadNumber, "\"%1\" is not a number", "not a number");
        set(CsvIssue::DecimalComma, "\"%1\" has a decimal comma; write numbers with a point",
            "decimal comma");
        set(CsvIssue::BadLocation, "\"%1\" is not a channel number of the radio (1 to %2)",
            "Location not a channel");
        set(CsvIssue::LocationTwice, "channel %1 is given twice", "Location given twice");
        set(CsvIssue::FreqNoBand, "%1 MHz lies in no band of the radio",
            "outside the radio's bands");
        set(CsvIssue::TxNoBand, "the TX frequency %1 MHz lies in no band of the radio",
            "outside the radio's bands");
        set(CsvIssue::BadDuplex, "\"%1\" is not a duplex (off, +, -, split or empty)", "duplex %1");
        set(CsvIssue::BadToneMode,
            "\"%1\" is not a tone mode of the radio (Tone, TSQL, DTCS, Cross or empty)",
            "tone mode %1");
        set(CsvIssue::BadCrossMode, "\"%1\" is not a cross mode of the radio", "cross mode %1");
        set(CsvIssue::BadTone, "%1 is not a CTCSS tone of the radio", "CTCSS tone the radio lacks");
        set(CsvIssue::BadDcs, "\"%1\" is not a DCS code of the radio", "DCS code the radio lacks");
        set(CsvIssue::BadPolarity, "\"%1\" is not a DCS polarity (NN, NR, RN or RR)",
            "DCS polarity %1");
        set(CsvIssue::BadMode, "\"%1\" is not a mode of the radio (FM or NFM)", "mode %1");
        set(CsvIssue::BadPower, "\"%1\" is not a power (High, Low or watts)", "power %1");
        set(CsvIssue::BadOnOff, "\"%1\" is neither On nor Off", "neither On nor Off");
        set(CsvIssue::BadSkip, "\"%1\" is not a skip mark (S, P or empty)", "skip mark %1");
        set(CsvIssue::BadPttId, "\"%1\" is not a PTT ID (Off, BOT, EOT or Both)", "PTT ID %1");
        set(CsvIssue::BadVoiceMode,
            "\"%1\" is not a voice mode (Off, Compander, Scrambler or Both)", "voice mode %1");
        set(CsvIssue::BadIdCode, "\"%1\" is not an ID code (up to 6 digits)", "bad ID code");
        set(CsvIssue::BadNameChar, "\"%1\" has characters the radio cannot show (space to z)",
            "name characters the radio lacks");
        set(CsvIssue::ExtraFields,
            "the row has %1 fields, more than the header; the last ones are not read (warning)",
            "fields beyond the header");
        set(CsvIssue::Snapped, "put on the channel raster as %1 (warning)",
            "put on the channel raster");
        set(CsvIssue::NameCut, "cut to seven characters as \"%1\" (warning)",
            "name cut to 7 characters");
        set(CsvIssue::NameAccents, "accented letters made plain as \"%1\" (warning)",
            "accents taken from the name");
        set(CsvIssue::IdCodePadded,
            "taken as %1: the leading zeros a spreadsheet drops are put back (warning)",
            "ID code padded with zeros");
        set(CsvIssue::ModeAuto, "\"%1\" is read as FM (warning)", "mode Auto read as FM");
        set(CsvIssue::ExportName, "Channel %1: its name has characters an import refuses.",
            "name an import refuses");
        set(CsvIssue::ExportTone,
            "Channel %1: a tone the radio does not list; an import refuses it.",
            "tone an import refuses");
        set(CsvIssue::ExportTx,
            "Channel %1: its TX frequency lies in no band; an import refuses it.",
            "TX an import refuses");
        return t;
    }();
    return texts;
}

namespace {

// One pass, so that a value holding "%2" (a column name from the file) stays as it is.
std::string Fill(const std::string& pattern, const std::vector<std::string>& values) {
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
}

// The text of the issue in `of` (the reasons or the kinds), the English one where it is empty.
const std::string& Pattern(const CsvTexts& texts,
                           std::array<std::string, kCsvIssueCount> CsvTexts::*of, CsvIssue issue) {
    const int at = static_cast<int>(issue);
    return (texts.*of)[at].empty() ? (DefaultCsvTexts().*of)[at] : (texts.*of)[at];
}

std::string ValueOf(const CsvProblem& problem) {
    return problem.channel ? std::to_string(problem.channel) : problem.value;
}

// "33 outside the radio's bands, 2 mode AM": the most frequent kind first, then as they came.
std::string CountsByKind(const std::vector<const CsvProblem*>& problems, const CsvTexts& texts) {
    std::vector<std::pair<std::string, int>> kinds;
    std::map<std::string, std::size_t> at;
    for (const CsvProblem* problem : problems) {
        const std::string kind =
            Fill(Pattern(texts, &CsvTexts::kinds, problem->issue), {ValueOf(*problem)});
        const auto [found, added] = at.emplace(kind, kinds.size());
        if (added) kinds.emplace_back(kind, 0);
        ++kinds[found->second].second;
    }
    std::stable_sort(kinds.begin(), kinds.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string text;
    for (const auto& [kind, count] : kinds) {
        if (!text.empty()) text += texts.listSeparator;
        text += Fill(texts.kindCount, {std::to_string(count), kind});
    }
    return text;
}

} // namespace

std::string ProblemCounts(const std::vector<CsvProblem>& problems, const CsvTexts& texts) {
    std::vector<const CsvProblem*> errors, warnings;
    for (const CsvProblem& problem : problems)
        (problem.IsError() ? errors : warnings).push_back(&problem);
    std::string text;
    if (!errors.empty())
        text = Fill(texts.errorCount, {std::to_string(errors.size()), CountsByKind(errors, texts)});
    if (!warnings.empty()) {
        if (!text.empty()) text += texts.countsSeparator;
        text += Fill(texts.warningCount,
                     {std::to_string(warnings.size()), CountsByKind(warnings, texts)});
    }
    return text;
}

std::string SkippedText(const CsvImportPlan& plan, const CsvTexts& texts) {
    if (plan.skipped.empty()) return {};
    std::vector<const CsvProblem*> rows;
    for (const CsvProblem& problem : plan.skipped)
        rows.push_back(&problem);
    return Fill(rows.size() == 1 ? texts.skippedRow : texts.skippedRows,
                {std::to_string(rows.size()), CountsByKind(rows, texts)});
}

std::string ProblemText(const CsvProblem& problem, const CsvTexts& texts) {
    const std::string reason =
        Fill(Pattern(texts, &CsvTexts::reasons, problem.issue), {ValueOf(problem), problem.detail});
    if (problem.line <= 0) return reason;
    const std::string line = std::to_string(problem.line);
    return problem.column.empty() ? Fill(texts.lineOnly, {line, reason})
                                  : Fill(texts.lineColumn, {line, problem.column, reason});
}

} // namespace zorva
