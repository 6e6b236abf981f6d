// Reading one data row of a channel CSV into the field texts the channel codec takes, every
// problem of the row told with its line and column.
#pragma once

#include "csv/ChannelCsv.h"
#include "csv/CsvColumns.h"
#include "csv/CsvTable.h"

#include <optional>
#include <string>
#include <vector>

namespace zorva::csv {

// The problems of one reading, every one of them.
class Problems {
public:
    explicit Problems(std::vector<CsvProblem>& list) : list_(list) {}
    const CsvProblem& Add(CsvIssue issue, int line, std::string column = {}, std::string value = {},
                          std::string detail = {});
    bool Errors() const { return errors_; }

private:
    std::vector<CsvProblem>& list_;
    bool errors_ = false;
};

// One data row being read: its cells by column, and where to tell its problems.
class RowReader {
public:
    // `columnOf` gives each Column's position in the record (-1: the file lacks it), `names`
    // the file's column names by position.
    // `decimalComma`: a comma in a number is its decimal point (files not separated by commas).
    RowReader(const CsvRecord& record, const std::vector<int>& columnOf,
              const std::vector<std::string>& names, Problems& problems, bool decimalComma)
        : record_(record), columnOf_(columnOf), names_(names), problems_(problems),
          decimalComma_(decimalComma) {}

    bool Has(Column column) const {
        const int at = columnOf_[column];
        return at >= 0 && at < static_cast<int>(record_.fields.size());
    }
    // The cell without the blanks around it; empty for a column the row lacks.
    std::string Cell(Column column) const { return Has(column) ? Trim(Field(column)) : ""; }
    // The cell as the file has it; only for a column the row has.
    std::string Field(Column column) const { return record_.fields[columnOf_[column]]; }
    void Error(CsvIssue issue, Column column, std::string value, std::string detail = {});
    void RowError(CsvIssue issue, std::string value);
    void Warn(CsvIssue issue, Column column, std::string value);
    // No error was found in the row.
    bool Ok() const { return !firstError_; }
    // The row's first error, which a skipped row is counted by; only after one.
    const CsvProblem& FirstError() const { return *firstError_; }
    int Line() const { return record_.line; }

    // A decimal number; anything else is an error, so is a decimal comma where a comma
    // separates the fields (there it is more likely a field joined to the next one).
    std::optional<double> Number(Column column, const std::string& text);
    // `text` with its decimal comma as a point where commas are decimal points.
    std::string Dotted(const std::string& text) const;

private:
    // The column as the file names it; one the file lacks (its default was taken, as the
    // offset of a "+" row without an Offset column) as the export names it.
    std::string Name(Column column) const;

    const CsvRecord& record_;
    const std::vector<int>& columnOf_;
    const std::vector<std::string>& names_;
    Problems& problems_;
    bool decimalComma_;
    std::optional<CsvProblem> firstError_;
};

// The channel fields of the row, RX first; the row's errors go to `row` (see row.Ok()).
// The channel number is left to the caller.
CsvChannelRow ReadRow(const TALL& all, RowReader& row);

} // namespace zorva::csv
