// The channel list as CSV, in the column layout radio-programming tools and spreadsheets
// exchange (Location, Name, Frequency, Duplex, Offset, Tone, ...) followed by this radio's own
// fields. Export writes the channels in use; import first plans what a file would change,
// with every problem found, and applies only a plan without errors.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zorva {

class TALL;

// What can be wrong with a file, a row or a field. The first group concerns the file as a
// whole and always refuses it; the warnings are those IsError() says are none; everything else
// is an error of a row, which blocks the import unless such rows are skipped.
enum class CsvIssue {
    Empty,         // no header
    TooLarge,      // more than kCsvMaxBytes
    NotText,       // NUL bytes or not UTF-8
    BadQuotes,     // a quote left open or misplaced
    NoHeader,      // no Location or Frequency column under any separator
    MissingColumn, // Location or Frequency is not in the header
    NoRoom,        // a row placed past the last channel
    BadNumber,     // not a number
    DecimalComma,  // a number written with a decimal comma in a comma-separated file
    BadLocation,   // not a channel of the radio
    LocationTwice, // a channel named by two rows
    FreqNoBand,    // RX in no band of the image
    TxNoBand,      // TX in no band of the image
    BadDuplex,
    BadToneMode,
    BadCrossMode,
    BadTone, // a CTCSS value the radio does not have
    BadDcs,  // a DCS code the radio does not have
    BadPolarity,
    BadMode,
    BadPower,
    BadOnOff,
    BadSkip,
    BadPttId,
    BadVoiceMode,
    BadIdCode,
    BadNameChar,
    ExtraFields,  // warning: a row with more fields than the header, not all empty
    Snapped,      // warning: the frequency was put on the raster
    NameCut,      // warning: the name was cut to 7 characters
    NameAccents,  // warning: accented letters of the name became plain ones
    IdCodePadded, // warning: a short ID code got back the leading zeros a spreadsheet took
    ModeAuto,     // warning: mode Auto was read as FM
    ExportName,
    ExportTone,
    ExportTx,
};
inline constexpr int kCsvIssueCount = static_cast<int>(CsvIssue::ExportTx) + 1;

// Files larger than this are refused: a full channel list is a few tens of kilobytes.
inline constexpr std::size_t kCsvMaxBytes = 1024 * 1024;

struct CsvProblem {
    CsvIssue issue = CsvIssue::Empty;
    int line = 0;         // the line of the file where the row starts (1 = the header); 0 none
    std::string column;   // the column's name as the file has it; empty for a whole row
    std::string value;    // the value at fault, or what it became (warnings), UTF-8
    int channel = 0;      // export warnings: the channel
    std::string detail;   // %2 of the reason where it has one (the last channel)
    bool IsError() const; // false for the warnings
};

// The texts problems are told in. %1 is the value (or the channel of an export warning);
// a problem with a line is "Line %1, %2: %3" (line, column, reason) or "Line %1: %2" without
// a column. A kind is the short text problems are counted under ("mode %1"). The defaults are
// the English texts; windows take them from the language file.
struct CsvTexts {
    std::string lineColumn = "Line %1, %2: %3";
    std::string lineOnly = "Line %1: %2";
    std::string errorCount = "Errors: %1 (%2)";     // %2: the counts by kind
    std::string warningCount = "Warnings: %1 (%2)"; //
    std::string skippedRow = "Skipped 1 row: %2";
    std::string skippedRows = "Skipped %1 rows: %2";
    std::string kindCount = "%1 %2"; // count, kind
    std::string listSeparator = ", ";
    std::string countsSeparator = ". ";
    std::array<std::string, kCsvIssueCount> reasons;
    std::array<std::string, kCsvIssueCount> kinds;
};
const CsvTexts& DefaultCsvTexts();
// The stable key of an issue ("BadTone"), for language files.
const char* CsvIssueKey(CsvIssue issue);
std::string ProblemText(const CsvProblem& problem, const CsvTexts& texts = DefaultCsvTexts());
// The problems counted by kind, errors before warnings: "Errors: 3 (2 outside the radio's
// bands, 1 mode AM). Warnings: 1 (1 name cut to 7 characters)"; empty without problems.
std::string ProblemCounts(const std::vector<CsvProblem>& problems,
                          const CsvTexts& texts = DefaultCsvTexts());

// The column names of the layout, in the order export writes them.
const std::vector<std::string>& CsvColumns();

struct CsvExport {
    std::string text;                 // header and rows, UTF-8, CRLF line ends
    std::vector<CsvProblem> warnings; // channels an import would refuse
};
// The channels in use among `channels` (every memory channel when empty), in channel order.
// Decodes the channels (which repairs the image as loading does).
CsvExport ExportChannelsCsv(const TALL& all, const std::vector<int>& channels = {});

struct CsvImportOptions {
    // 0: each row goes to the channel its Location names. n: the rows go to channels n, n+1,
    // ... in the order of the file, and Location is not needed (a paste, or a file numbered
    // otherwise than the radio).
    int firstChannel = 0;
    // A row with an error is left out, and counted, instead of refusing the file; problems of
    // the file as a whole still refuse it.
    bool skipBadRows = false;
    // Every channel no row names is emptied.
    bool replaceAll = false;
    // The text may have no header row (a paste of rows); it then has the export's columns.
    bool headerOptional = false;
};

// One row, ready to be stored: the field texts the channel codec takes.
struct CsvChannelRow {
    int channel = 0;
    std::vector<std::pair<int, std::string>> fields; // (channel field id, text), RX first
};

struct CsvImportPlan {
    std::vector<CsvProblem> problems; // errors, then warnings, each in file order
    std::vector<CsvChannelRow> rows;  // what applying stores; none while refused
    std::vector<CsvProblem> skipped;  // the first error of each row left out
    bool replaceAll = false;
    bool refused = false; // an error of the file, or of a row while rows are not skipped
    // What applying the plan changes (nothing while refused):
    int set = 0;      // empty channels that a row fills
    int replaced = 0; // channels in use that a row replaces
    int kept = 0;     // channels in use that no row names and that stay
    int emptied = 0;  // channels in use that no row names and that replace-all empties
    // The plan cannot be applied.
    bool HasErrors() const { return refused; }
};

// "Skipped 35 rows: 33 outside the radio's bands, 2 mode AM"; empty when none was skipped.
std::string SkippedText(const CsvImportPlan& plan, const CsvTexts& texts = DefaultCsvTexts());

// Reads the file's bytes (UTF-8, with or without a byte order mark; fields separated by the
// comma, semicolon or tab under which the header names Location or Frequency; rows without a
// header by the one of these their first line has most) against the image (its bands, its
// channels in use). Never throws, never changes the image.
CsvImportPlan PlanCsvImport(const TALL& all, std::string_view bytes,
                            const CsvImportOptions& options = {});

// Stores a plan without errors into the image; a plan with errors changes nothing. Returns
// whether it was applied.
bool ApplyCsvImport(TALL& all, const CsvImportPlan& plan);

} // namespace zorva
