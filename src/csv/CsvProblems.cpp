// What can be wrong with a channel CSV, and how each problem is told.
#include "csv/ChannelCsv.h"

#include <algorithm>

namespace zorva {

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

} // namespace zorva
