// The channel list's CSV on the command line: export-csv and import-csv.
#pragma once

#include <QStringList>
#include <iosfwd>
#include <string>

namespace zorva {

struct CsvCommandOptions {
    QStringList positional; // the command and its files
    std::string output;     // -o, empty for none
    bool force = false;
    bool replaceAll = false;
    bool skipUnsupported = false;
    QString renumber; // --renumber FIRST as given; empty for none
};

// export-csv FILE.dat [-o OUT.csv]: the channels in use as CSV, on standard output without -o.
int RunExportCsv(const CsvCommandOptions& options, const std::string& exeDir, std::ostream& out,
                 std::ostream& err);

// import-csv FILE.dat CHANNELS.csv -o OUT.dat [--replace-all] [--skip-unsupported]
// [--renumber FIRST]: FILE.dat with the file's channels, written to OUT.dat; nothing is written
// while the file has an error that is not a row skipped.
int RunImportCsv(const CsvCommandOptions& options, const std::string& exeDir, std::ostream& out,
                 std::ostream& err);

} // namespace zorva
