#include "csv/CsvTable.h"

#include <csv.h>

namespace zorva {

namespace {

struct Collector {
    CsvReading& reading;
    std::vector<std::string> fields;
    int line = 0;       // the line being fed
    int recordLine = 0; // where the record being read started; 0 between records
};

void OnField(void* data, std::size_t size, void* context) {
    auto& c = *static_cast<Collector*>(context);
    c.fields.emplace_back(static_cast<const char*>(data), size);
}

void OnRecordEnd(int, void* context) {
    auto& c = *static_cast<Collector*>(context);
    c.reading.records.push_back({c.recordLine ? c.recordLine : c.line, std::move(c.fields)});
    c.fields.clear();
    c.recordLine = 0;
}

int IsBlank(unsigned char c) {
    return c == ' ';
}

int IsBlankOrTab(unsigned char c) {
    return c == ' ' || c == '\t';
}

// The end of the line that starts at `from`: past its CR, LF or CRLF.
std::size_t LineEnd(std::string_view text, std::size_t from) {
    const std::size_t at = text.find_first_of("\r\n", from);
    if (at == std::string_view::npos) return text.size();
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return at + 2;
    return at + 1;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of("\r\n") == std::string_view::npos;
}

} // namespace

CsvReading ReadCsv(std::string_view text, char delimiter) {
    CsvReading reading;
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        reading.badQuotes = true;
        return reading;
    }
    csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
    // Blanks around unquoted fields are dropped; a tab is a blank only when it separates
    // nothing.
    csv_set_space_func(&parser, delimiter == '\t' ? IsBlank : IsBlankOrTab);
    Collector collector{reading, {}, 0, 0};
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = LineEnd(text, from);
        const std::string_view line = text.substr(from, end - from);
        ++collector.line;
        if (collector.recordLine == 0 && collector.fields.empty() && !IsBlankLine(line))
            collector.recordLine = collector.line;
        if (csv_parse(&parser, line.data(), line.size(), OnField, OnRecordEnd, &collector) !=
            line.size()) {
            reading.badQuotes = true;
            reading.badLine = collector.recordLine ? collector.recordLine : collector.line;
            csv_free(&parser);
            return reading;
        }
        from = end;
    }
    if (csv_fini(&parser, OnField, OnRecordEnd, &collector) != 0) {
        reading.badQuotes = true;
        reading.badLine = collector.recordLine ? collector.recordLine : collector.line;
    }
    csv_free(&parser);
    return reading;
}

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields, char delimiter) {
    bool first = true;
    for (const std::string& field : fields) {
        if (!first) out += delimiter;
        first = false;
        const bool needsQuotes =
            field.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string::npos ||
            (!field.empty() && (IsBlankOrTab(field.front()) || IsBlankOrTab(field.back())));
        if (!needsQuotes) {
            out += field;
            continue;
        }
        std::string quoted(2 * field.size() + 2, '\0');
        quoted.resize(csv_write(quoted.data(), quoted.size(), field.data(), field.size()));
        out += quoted;
    }
    out += "\r\n";
}

} // namespace zorva
