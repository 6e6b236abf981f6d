#include "cli/CliCsv.h"

#include "cli/CliCommands.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "core/TAll.h"
#include "csv/ChannelCsv.h"
#include "link/qt/LocalPath.h"
#include "shell/DataFile.h"

#include <exception>
#include <filesystem>
#include <ostream>

namespace zorva {

namespace {

// Loads the data file into a fresh data module; null after printing why it cannot be used.
std::unique_ptr<Maindb> LoadImage(const std::string& path, const std::string& exeDir,
                                  std::ostream& err) {
    auto db = StartDb(exeDir);
    if (const FileResult loaded = LoadDataFile(db->All, db->MacList, path); !loaded) {
        PrintFileError(err, path, FileProblemReason(loaded, db->Language));
        return nullptr;
    }
    return db;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

} // namespace

int RunExportCsv(const CsvCommandOptions& options, const std::string& exeDir, std::ostream& out,
                 std::ostream& err) {
    if (options.positional.size() != 2 || options.replaceAll || options.skipUnsupported ||
        !options.renumber.isEmpty()) {
        PrintUsageError(err, "export-csv takes FILE.dat [-o OUT.csv]");
        return kExitUsage;
    }
    const std::string path = ToLocalPath(options.positional.at(1));
    try {
        if (!options.output.empty() && !MayReplace(err, options.output, options.force))
            return kExitFailure;
        auto db = LoadImage(path, exeDir, err);
        if (!db) return kExitFailure;
        const CsvExport csv = ExportChannelsCsv(db->All);
        for (const CsvProblem& warning : csv.warnings)
            err << "zorva-cli: warning: " << ProblemText(warning) << "\n";
        if (options.output.empty()) return Emit(out, err, csv.text);
        std::string error;
        if (!ReplaceFileContents(options.output, csv.text, error)) {
            PrintFileError(err, options.output, error);
            return kExitFailure;
        }
        return kExitOk;
    } catch (const std::exception& e) {
        PrintFileError(err, path, e.what());
        return kExitFailure;
    }
}

int RunImportCsv(const CsvCommandOptions& options, const std::string& exeDir, std::ostream& out,
                 std::ostream& err) {
    if (options.positional.size() != 3 || options.output.empty()) {
        PrintUsageError(err, "import-csv takes FILE.dat CHANNELS.csv -o OUT.dat");
        return kExitUsage;
    }
    CsvImportOptions importOptions;
    importOptions.replaceAll = options.replaceAll;
    importOptions.skipBadRows = options.skipUnsupported;
    if (!options.renumber.isEmpty()) {
        bool number = false;
        importOptions.firstChannel = options.renumber.toInt(&number);
        if (!number || importOptions.firstChannel < 1 ||
            importOptions.firstChannel > kMemoryChannels) {
            PrintUsageError(err, "--renumber takes the first channel, 1 to " +
                                     std::to_string(kMemoryChannels));
            return kExitUsage;
        }
    }
    const std::string path = ToLocalPath(options.positional.at(1));
    const std::string csvPath = ToLocalPath(options.positional.at(2));
    if (SameFile(path, options.output)) {
        PrintFileError(err, options.output, "is the input file, which import-csv never changes");
        return kExitUsage;
    }
    try {
        if (!MayReplace(err, options.output, options.force)) return kExitFailure;
        auto db = LoadImage(path, exeDir, err);
        if (!db) return kExitFailure;

        std::error_code ec;
        const auto size = std::filesystem::file_size(csvPath, ec);
        std::string bytes;
        if (ec || (size <= kCsvMaxBytes && !ReadFileContents(csvPath, bytes))) {
            PrintFileError(err, csvPath, ec ? ec.message() : "cannot be read");
            return kExitFailure;
        }
        // A file too large is refused without reading it.
        if (size > kCsvMaxBytes) bytes.assign(kCsvMaxBytes + 1, ' ');

        const CsvImportPlan plan = PlanCsvImport(db->All, bytes, importOptions);
        if (const std::string counts = ProblemCounts(plan.problems); !counts.empty())
            err << csvPath << ": " << counts << "\n";
        for (const CsvProblem& problem : plan.problems)
            err << csvPath << ": " << ProblemText(problem) << "\n";
        if (plan.HasErrors()) {
            err << "zorva-cli: nothing imported\n";
            return kExitFailure;
        }
        ApplyCsvImport(db->All, plan);
        if (const FileResult saved = SaveDataFile(db->All, options.output); !saved) {
            PrintFileError(err, options.output, FileProblemReason(saved, db->Language));
            return kExitFailure;
        }
        const int alone = options.replaceAll ? plan.emptied : plan.kept;
        return Emit(out, err,
                    "Channels set: " + std::to_string(plan.set) +
                        ", replaced: " + std::to_string(plan.replaced) +
                        (options.replaceAll ? ", emptied: " : ", left alone: ") +
                        std::to_string(alone) + "\n" +
                        (plan.skipped.empty() ? "" : SkippedText(plan) + "\n"));
    } catch (const std::exception& e) {
        PrintFileError(err, path, e.what());
        return kExitFailure;
    }
}

} // namespace zorva
