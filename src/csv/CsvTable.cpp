#include "csv/CsvTable.h"

#include <csv.h>

namespace zorva {

namespace {

bool IsBlank(char c, char delimiter) {
    return (c == ' ' || c == '\t') && c != delimiter;
}

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Reads record after record, keeping the line each starts on. Written here rather than taken
// from the C library because that one drops the blanks before an unquoted field, and a name's
// leading blanks are part of it.
class Reader {
public:
    Reader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

    CsvReading Read() {
        CsvReading reading;
        while (at_ < text_.size()) {
            if (IsLineBreak(text_[at_])) {
                SkipLineBreak();
                continue;
            }
            CsvRecord record;
            record.line = line_;
            if (!ReadRecord(record.fields)) {
                reading.badQuotes = true;
                reading.badLine = record.line;
                return reading;
            }
            reading.records.push_back(std::move(record));
        }
        return reading;
    }

private:
    void SkipLineBreak() {
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
        ++at_;
        ++line_;
    }

    // Up to and past the line break that ends the record; false for a quote out of place.
    bool ReadRecord(std::vector<std::string>& fields) {
        for (;;) {
            std::string field;
            if (!ReadField(field)) return false;
            fields.push_back(std::move(field));
            if (at_ >= text_.size()) return true;
            if (text_[at_] == delimiter_) {
                ++at_;
                continue;
            }
            SkipLineBreak();
            return true;
        }
    }

    // Leaves `at_` on the delimiter, the line break or the end after the field.
    bool ReadField(std::string& field) {
        std::size_t start = at_;
        while (at_ < text_.size() && IsBlank(text_[at_], delimiter_))
            ++at_;
        if (at_ < text_.size() && text_[at_] == '"') return ReadQuoted(field);
        at_ = start;
        while (at_ < text_.size() && text_[at_] != delimiter_ && !IsLineBreak(text_[at_])) {
            // A quote belongs inside a quoted field only.
            if (text_[at_] == '"') return false;
            ++at_;
        }
        field.assign(text_.substr(start, at_ - start));
        return true;
    }

    // From the opening quote; blanks after the closing one are dropped as those before it.
    bool ReadQuoted(std::string& field) {
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) return false; // left open
            const char c = text_[at_++];
            if (c == '"') {
                if (at_ < text_.size() && text_[at_] == '"') {
                    field += '"';
                    ++at_;
                    continue;
                }
                break;
            }
            if (c == '\n' || (c == '\r' && (at_ >= text_.size() || text_[at_] != '\n'))) ++line_;
            field += c;
        }
        while (at_ < text_.size() && IsBlank(text_[at_], delimiter_))
            ++at_;
        return at_ >= text_.size() || text_[at_] == delimiter_ || IsLineBreak(text_[at_]);
    }

    std::string_view text_;
    char delimiter_;
    std::size_t at_ = 0;
    int line_ = 1;
};

} // namespace

CsvReading ReadCsv(std::string_view text, char delimiter) {
    return Reader(text, delimiter).Read();
}

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields, char delimiter) {
    bool first = true;
    for (const std::string& field : fields) {
        if (!first) out += delimiter;
        first = false;
        // Blanks at either end are quoted so that no reader takes them for padding.
        const bool needsQuotes =
            field.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string::npos ||
            (!field.empty() && (IsBlank(field.front(), '\0') || IsBlank(field.back(), '\0')));
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
