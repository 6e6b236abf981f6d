// Import: the plan of what a file would change, with every problem found, and its
// application to the image.
#include "codec/ChannelRecord.h"
#include "codec/ChannelRows.h"
#include "codec/Numbers.h"
#include "core/TAll.h"
#include "csv/ChannelCsv.h"
#include "csv/CsvRowReader.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <set>

namespace zorva {

namespace {

using namespace csv;

bool HasNul(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos;
}

// The first line that is not empty.
std::string_view FirstLine(std::string_view text) {
    const auto start = text.find_first_not_of("\r\n");
    if (start == std::string_view::npos) return {};
    const auto end = text.find_first_of("\r\n", start);
    return text.substr(start, end == std::string_view::npos ? end : end - start);
}

bool LooksLikeHeader(const CsvRecord& record) {
    return std::any_of(record.fields.begin(), record.fields.end(), [](const std::string& field) {
        const std::string name = Lower(Trim(field));
        return name == "location" || name == "frequency";
    });
}

constexpr char kSeparators[] = {',', ';', '\t'};

// The separator under which `line` is a header; 0 for none.
char HeaderSeparator(std::string_view line) {
    for (char separator : kSeparators) {
        const CsvReading reading = ReadCsv(line, separator);
        if (!reading.records.empty() && LooksLikeHeader(reading.records.front())) return separator;
    }
    return 0;
}

// Rows without a header: the separator their first line has most (a comma on a tie, as the
// export writes).
char RowSeparator(std::string_view line) {
    char best = ',';
    long most = 0;
    for (char separator : kSeparators) {
        const long count = std::count(line.begin(), line.end(), separator);
        if (count > most) {
            best = separator;
            most = count;
        }
    }
    return best;
}

// A row of separators alone, as spreadsheets leave between sections.
bool AllEmpty(const CsvRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return Trim(field).empty(); });
}

} // namespace

CsvImportPlan PlanCsvImport(const TALL& all, std::string_view bytes,
                            const CsvImportOptions& options) {
    CsvImportPlan plan;
    plan.replaceAll = options.replaceAll;
    Problems problems(plan.problems);
    const auto refuse = [&](CsvIssue issue, int line, std::string value = {}) {
        problems.Add(issue, line, {}, std::move(value));
        plan.refused = true;
        return plan;
    };
    if (bytes.size() > kCsvMaxBytes) return refuse(CsvIssue::TooLarge, 0);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (HasNul(bytes) || !IsValidUtf8(bytes)) return refuse(CsvIssue::NotText, 0);
    const std::string_view firstLine = FirstLine(bytes);
    const char headerSeparator = HeaderSeparator(firstLine);
    const bool header = headerSeparator != 0;
    const char separator = header                   ? headerSeparator
                           : options.headerOptional ? RowSeparator(firstLine)
                                                    : ',';
    const CsvReading reading = ReadCsv(bytes, separator);
    if (reading.badQuotes) return refuse(CsvIssue::BadQuotes, reading.badLine);
    if (reading.records.empty()) return refuse(CsvIssue::Empty, 0);
    if (!header && !options.headerOptional)
        return refuse(CsvIssue::NoHeader, reading.records.front().line);

    // The columns: by header name, case aside; or the export's, for rows without a header.
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
                refuse(CsvIssue::MissingColumn, reading.records.front().line,
                       CsvColumns()[required]);
        }
        if (plan.refused) return plan;
    } else {
        for (int column = 0; column < kColumnCount; ++column)
            columnOf[column] = column;
    }

    const int last = LastChannel(all);
    const bool byLocation = options.firstChannel <= 0;
    std::set<int> named; // the channels rows have taken
    int next = options.firstChannel;
    for (std::size_t i = header ? 1 : 0; i < reading.records.size(); ++i) {
        CsvRecord record = reading.records[i];
        if (AllEmpty(record)) continue;
        const std::size_t problemsBefore = plan.problems.size();
        // Other programs end rows with a separator; a row cut short has its last cells empty.
        // Without a header a row may stop early: the columns it lacks take their defaults.
        if (record.fields.size() > names.size()) {
            if (!std::all_of(record.fields.begin() + static_cast<long>(names.size()),
                             record.fields.end(),
                             [](const std::string& field) { return Trim(field).empty(); }))
                problems.Add(CsvIssue::ExtraFields, record.line, {},
                             std::to_string(record.fields.size()));
            record.fields.resize(names.size());
        } else if (header) {
            record.fields.resize(names.size());
        }
        RowReader row(record, columnOf, names, problems, separator != ',');
        int channel = 0;
        if (byLocation) {
            const std::string location = row.Cell(kLocation);
            const auto number = ParseInteger(location);
            if (!number || *number < 1 || *number > last) {
                row.Error(CsvIssue::BadLocation, kLocation, location, std::to_string(last));
            } else if (named.count(*number)) {
                row.Error(CsvIssue::LocationTwice, kLocation, location);
            } else {
                channel = *number;
            }
        }
        CsvChannelRow read = ReadRow(all, row);
        // A skipped row takes no channel; without skipping every row holds its place, so
        // that the problems name what each row would have been.
        const bool takesChannel = row.Ok() || !options.skipBadRows;
        if (!byLocation && takesChannel) {
            channel = next++;
            if (channel > last) row.RowError(CsvIssue::NoRoom, std::to_string(last));
        }
        if (takesChannel && channel >= 1 && channel <= last) named.insert(channel);
        if (!row.Ok()) {
            if (options.skipBadRows) {
                plan.skipped.push_back(row.FirstError());
                // What a row left out would have become is of no interest.
                plan.problems.erase(
                    std::remove_if(plan.problems.begin() + static_cast<long>(problemsBefore),
                                   plan.problems.end(),
                                   [](const CsvProblem& p) { return !p.IsError(); }),
                    plan.problems.end());
            }
            continue;
        }
        read.channel = channel;
        plan.rows.push_back(std::move(read));
    }
    plan.refused = problems.Errors() && !options.skipBadRows;
    if (plan.refused) plan.rows.clear();
    std::stable_partition(plan.problems.begin(), plan.problems.end(),
                          [](const CsvProblem& p) { return p.IsError(); });

    std::set<int> applied;
    for (const CsvChannelRow& row : plan.rows)
        applied.insert(row.channel);
    for (int channel = 1; channel <= last; ++channel) {
        const bool inUse = all.IsSlotClear(kChannelBitmap, channel);
        if (applied.count(channel)) {
            ++(inUse ? plan.replaced : plan.set);
        } else if (inUse) {
            ++(options.replaceAll && !plan.refused ? plan.emptied : plan.kept);
        }
    }
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
