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
