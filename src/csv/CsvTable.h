// CSV records as RFC 4180 has them (blanks are part of a field) and the C library's quoting: the
// reading keeps the line each record starts on, for messages that name it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorva {

struct CsvRecord {
    int line = 0; // the line of the text where the record starts, from 1
    std::vector<std::string> fields;
};

struct CsvReading {
    std::vector<CsvRecord> records; // empty lines make no record
    bool badQuotes = false;         // a quote left open or misplaced; records stop before it
    int badLine = 0;                // the line of the record the bad quote is in
};

// Splits `text` into records separated by CR, LF or CRLF, fields by `delimiter`.
CsvReading ReadCsv(std::string_view text, char delimiter);

// Appends one record and a CRLF line end; a field is quoted only when it needs to be (it holds
// the delimiter, a quote, a line break or starts or ends with a blank).
void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields,
                     char delimiter = ',');

} // namespace zorva
