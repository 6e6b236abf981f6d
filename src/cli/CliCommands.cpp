#include "cli/CliCommands.h"

#include "cli/CliCsv.h"
#include "cli/CliTransfer.h"
#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "dump/DumpDiff.h"
#include "dump/DumpJson.h"
#include "fields/ChannelColumns.h"
#include "link/PowerTestEngine.h"
#include "link/qt/LocalPath.h"
#include "print/SheetPdf.h"
#include "settings/Language.h"
#include "settings/TextEncoding.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <unistd.h>

#ifndef ZORVA_VERSION
#define ZORVA_VERSION "0.1.0"
#endif

namespace zorva {

namespace {

constexpr const char* kProgram = "zorva-cli";

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

const char* PowerText(int v) {
    return v ? "High" : "Low";
}
const char* WidthText(int v) {
    return v ? "Wide" : "Narrow";
}
const char* PttIdText(int v) {
    const auto texts = ChoiceTexts(kFieldPttId);
    return v >= 0 && static_cast<std::size_t>(v) < texts.size() ? texts[v] : "?";
}
std::string ToneText(const std::string& tone) {
    return tone.empty() ? "None" : tone;
}

// Rows of cells printed in left-aligned columns; the last column is not padded, so a name
// with characters beyond ASCII does not upset the alignment.
void PrintTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) line += "  ";
            line += row[i];
            if (i + 1 < row.size()) line.append(widths[i] - row[i].size(), ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    }
}

} // namespace

void PrintUsageError(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << problem << "\n"
        << "Usage: " << kProgram << " [options] <command> [FILE.dat]\n"
        << "Try '" << kProgram << " --help' for more information.\n";
}

void PrintFileError(std::ostream& err, const std::string& path, const std::string& reason) {
    err << kProgram << ": " << path << ": " << reason << "\n";
}

int Emit(std::ostream& out, std::ostream& err, const std::string& text) {
    out << text;
    out.flush();
    if (out) return kExitOk;
    err << kProgram << ": cannot write the output\n";
    return kExitFailure;
}

std::string UsageText() {
    std::string text;
    text += "Usage: ";
    text += kProgram;
    text += " [options] <command> FILE.dat\n"
            "\n"
            "Creates, shows and dumps data files of the ZORVA-520SX; reads and writes\n"
            "the radio and its power-test table.\n"
            "\n"
            "Commands:\n"
            "  new FILE.dat             write a new image of the radio as a data file\n"
            "  show FILE.dat            print the model, bands, write time, serial number\n"
            "                           and the channels in use\n"
            "  dump FILE.dat            print the whole configuration as one JSON document\n"
            "  diff A.dat B.dat         print the fields of the dump that differ, one a\n"
            "                           line (channels[12].RxFreq: 145.50000 -> 145.60000)\n"
            "  print FILE.dat -o SHEET.pdf [--language NAME]\n"
            "                           write the configuration sheet (channels and\n"
            "                           settings) as PDF, in the language of NAME.Ini\n"
            "  export-csv FILE.dat [-o OUT.csv]\n"
            "                           write the channels in use as CSV (standard\n"
            "                           output without -o)\n"
            "  import-csv FILE.dat CHANNELS.csv -o OUT.dat [--replace-all]\n"
            "             [--skip-unsupported] [--renumber FIRST]\n"
            "                           write FILE.dat with the channels of the CSV file\n"
            "                           to OUT.dat; every problem is printed, and nothing\n"
            "                           is written while one is an error\n"
            "  read -p PORT -o FILE.dat read the radio on PORT into a data file\n"
            "  write FILE.dat -p PORT   write a data file to the radio on PORT\n"
            "  calibration read -p PORT -o FILE\n"
            "                           read the radio's power-test table (1040 bytes)\n"
            "  calibration set -p PORT --range S --low VALUE | --high VALUE\n"
            "                           set the low or high power value (0..255) of\n"
            "                           sub-range S (the first two digits of its lower\n"
            "                           edge: 40 for 400-410 MHz; 0..64)\n"
            "\n"
            "PORT is COMn (mapped to a device in the [Ports] section of SysInfo.Ini) or a\n"
            "device path such as /dev/ttyUSB0.\n"
            "\n"
            "Options:\n"
            "  -p, --port PORT          the serial port of the programming cable\n"
            "  -o, --output FILE        the file a read, a print or an export or import\n"
            "                           of channels writes\n"
            "  -f, --force              replace an existing file (new, read, print,\n"
            "                           export-csv, import-csv, calibration read); write\n"
            "                           to a radio of another model with as many\n"
            "                           channels (write)\n"
            "      --verify             after a write, read the radio back and compare\n"
            "                           it with what was written\n"
            "      --json               diff: print the differences as a JSON array of\n"
            "                           {path, a, b}\n"
            "      --language NAME      print: the texts of the language file NAME.Ini\n"
            "      --replace-all        import-csv: empty every channel the file does not\n"
            "                           name\n"
            "      --skip-unsupported   import-csv: leave out the rows with an error (a\n"
            "                           frequency outside the radio's bands, a mode it\n"
            "                           lacks) and import the others\n"
            "      --renumber FIRST     import-csv: place the rows in file order on\n"
            "                           channels FIRST, FIRST+1, ... whatever their Location\n"
            "      --range S            the sub-range of calibration set\n"
            "      --low VALUE          its new low power value, 0..255\n"
            "      --high VALUE         its new high power value, 0..255\n"
            "  -h, --help               show this help and exit\n"
            "  -v, --version            show the version and exit\n"
            "\n"
            "Exit status: 0 done, 1 a file or the radio could not be used (write\n"
            "--verify: or the radio holds something else), 2 wrong usage.\n"
            "diff: 0 the files are equal, 1 they differ, 2 wrong usage or a file that\n"
            "cannot be used.\n";
    return text;
}

void PrintShow(TALL& all, std::ostream& out) {
    std::vector<std::vector<std::string>> rows;
    rows.push_back({"No.", "RX MHz", "TX MHz", "RX Tone", "TX Tone", "Power", "Width", "Scan",
                    "Busy Lock", "VOX", "PTT ID", "ID Code", "Name"});
    TChannel c;
    for (int n = 1; n <= all.ChannelCount && n <= kMemoryChannels; ++n) {
        if (!LoadChannel(all, n, c)) continue;
        rows.push_back({std::to_string(n), FreqText(c.RxFreq),
                        c.TxFreq < 0.0 ? std::string("-") : FreqText(c.TxFreq), ToneText(c.RxTone),
                        ToneText(c.TxTone), PowerText(c.Power), WidthText(c.Bandwidth),
                        FlagText(c, OnFlag::Scan), FlagText(c, OnFlag::BusyLock),
                        FlagText(c, OnFlag::Vox), PttIdText(c.PttId), c.IdCode,
                        Latin1ToUtf8(c.Name)});
    }
    // Channel numbers read better right-aligned.
    for (auto& row : rows)
        row[0].insert(0, std::max<std::size_t>(3, row[0].size()) - row[0].size(), ' ');

    const auto inUse = rows.size() - 1;
    const std::string serial = Trim(SerialNumberText(all));
    PrintTable(out, {{"Model:",
                      Latin1ToUtf8(all.ModelName) + " (" + Latin1ToUtf8(all.ImageModelIdent) + ")"},
                     {"Bands:", all.BandSummary},
                     {"Write time:", WriteTimeText(all)},
                     {"Serial:", serial.empty() ? "-" : serial},
                     {"Channels:", inUse ? std::to_string(inUse) + " in use" : "none in use"}});
    if (!inUse) return;
    out << "\n";
    PrintTable(out, rows);
}

bool MayReplace(std::ostream& err, const std::string& path, bool force) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        PrintFileError(err, path, std::strerror(EISDIR));
        return false;
    }
    if (!force && fs::exists(path, ec)) {
        PrintFileError(err, path, "already exists (use --force to replace it)");
        return false;
    }
    const fs::path folder = fs::path(path).parent_path();
    const std::string where = folder.empty() ? std::string(".") : folder.string();
    if (::access(where.c_str(), W_OK | X_OK) != 0) {
        PrintFileError(err, path, std::strerror(errno));
        return false;
    }
    return true;
}

std::unique_ptr<Maindb> StartDb(const std::string& exeDir) {
    auto db = std::make_unique<Maindb>();
    DataModuleCreate(*db, exeDir);
    StartImage(*db);
    return db;
}

// The start-up for talking to the radio, whose port and timers need a running
// application; without one, a message and nothing.
std::unique_ptr<Maindb> StartDbForRadio(const std::string& exeDir, std::ostream& err) {
    if (!QCoreApplication::instance()) {
        err << kProgram << ": the radio can only be reached from the program itself\n";
        return nullptr;
    }
    return StartDb(exeDir);
}

// read --port PORT -o FILE.dat, and write FILE.dat --port PORT.
int RunTransferCommand(const QString& command, const QStringList& positional, const QString& port,
                       const QString& output, bool force, bool verify, const std::string& exeDir,
                       std::ostream& out, std::ostream& err) {
    const bool reading = command == "read";
    if (port.isEmpty()) {
        PrintUsageError(err, "missing --port for '" + command.toStdString() + "'");
        return kExitUsage;
    }
    if (reading && verify) {
        PrintUsageError(err, "--verify belongs to 'write'");
        return kExitUsage;
    }
    if (positional.size() != (reading ? 1 : 2) || (reading && output.isEmpty())) {
        PrintUsageError(err, reading ? "read takes --port PORT -o FILE.dat"
                                     : "write takes FILE.dat --port PORT");
        return kExitUsage;
    }
    TransferOptions options;
    options.port = ToLocalPath(port);
    options.file = ToLocalPath(reading ? output : positional.at(1));
    options.force = force;
    options.interactive = ::isatty(STDIN_FILENO) != 0;
    options.verify = verify;
    if (reading && !MayReplace(err, options.file, force)) return kExitFailure;
    auto db = StartDbForRadio(exeDir, err);
    if (!db) return kExitFailure;
    return reading ? RunRead(*db, options, std::cin, err)
                   : RunWrite(*db, options, std::cin, out, err);
}

// diff A.dat B.dat [--json]. Status 1 means "they differ" here, as for diff(1); so a file that
// cannot be used, like wrong usage, is status 2.
int RunDiffCommand(const QStringList& positional, bool json, const std::string& exeDir,
                   std::ostream& out, std::ostream& err) {
    if (positional.size() != 3) {
        PrintUsageError(err, "diff takes A.dat B.dat");
        return kExitUsage;
    }
    QJsonObject dumps[2];
    for (int i = 0; i < 2; ++i) {
        const std::string path = ToLocalPath(positional.at(i + 1));
        try {
            auto db = StartDb(exeDir);
            if (const FileResult loaded = LoadDataFile(db->All, db->MacList, path); !loaded) {
                PrintFileError(err, path, FileProblemReason(loaded, db->Language));
                return kExitUsage;
            }
            dumps[i] = DumpImage(db->All);
        } catch (const std::exception& e) {
            PrintFileError(err, path, e.what());
            return kExitUsage;
        }
    }
    const std::vector<DumpDifference> differences = DiffDumps(dumps[0], dumps[1]);
    std::string text;
    if (json) {
        text = DifferencesJson(differences);
    } else {
        for (const DumpDifference& d : differences)
            text += DifferenceLine(d) + "\n";
    }
    if (Emit(out, err, text) != kExitOk) return kExitUsage;
    return differences.empty() ? kExitOk : kExitFailure;
}

// A whole decimal number within [low, high], or nothing.
std::optional<int> NumberIn(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < low || value > high) return std::nullopt;
    return value;
}

// calibration read --port PORT -o FILE, and calibration set --port PORT --range S --low V
// (or --high V).
int RunCalibrationCommand(const QStringList& positional, const QString& port, const QString& output,
                          bool force, const QString* range, const QString* low, const QString* high,
                          const std::string& exeDir, std::ostream& err) {
    const QString action = positional.size() >= 2 ? positional.at(1) : QString();
    if (positional.size() != 2 || (action != "read" && action != "set")) {
        PrintUsageError(err, "calibration takes 'read' or 'set'");
        return kExitUsage;
    }
    if (port.isEmpty()) {
        PrintUsageError(err, "missing --port for 'calibration " + action.toStdString() + "'");
        return kExitUsage;
    }
    CalibrationOptions options;
    options.port = ToLocalPath(port);
    options.force = force;
    if (action == "read") {
        if (output.isEmpty()) {
            PrintUsageError(err, "calibration read takes --port PORT -o FILE");
            return kExitUsage;
        }
        options.file = ToLocalPath(output);
        if (!MayReplace(err, options.file, force)) return kExitFailure;
    } else {
        if (!range || (low != nullptr) == (high != nullptr)) {
            PrintUsageError(err, "calibration set takes --range S and one of --low VALUE or "
                                 "--high VALUE");
            return kExitUsage;
        }
        const auto subRange = NumberIn(*range, 0, kCalibrationLastBlock);
        if (!subRange) {
            PrintUsageError(err, "--range needs a sub-range 0.." +
                                     std::to_string(kCalibrationLastBlock) + ", not '" +
                                     range->toStdString() + "'");
            return kExitUsage;
        }
        const QString& valueText = low ? *low : *high;
        const auto value = NumberIn(valueText, 0, 255);
        if (!value) {
            PrintUsageError(err, std::string(low ? "--low" : "--high") +
                                     " needs a value 0..255, not '" + valueText.toStdString() +
                                     "'");
            return kExitUsage;
        }
        options.subRange = *subRange;
        options.tag = low ? kLowPowerOffset : kHighPowerOffset;
        options.value = *value;
    }
    auto db = StartDbForRadio(exeDir, err);
    if (!db) return kExitFailure;
    return action == "read" ? RunCalibrationRead(*db, options, err)
                            : RunCalibrationSet(*db, options, err);
}

// print FILE.dat -o SHEET.pdf [--language NAME]: the sheet the program prints, as a PDF file.
// Its fonts and pages need the drawing part of Qt, without a display (main.cpp).
int RunPrintCommand(const QStringList& positional, const QString& output, const QString& language,
                    bool force, const std::string& exeDir, std::ostream& err) {
    if (positional.size() != 2 || output.isEmpty()) {
        PrintUsageError(err, "print takes FILE.dat -o SHEET.pdf");
        return kExitUsage;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << kProgram << ": the sheet can only be drawn by the program itself\n";
        return kExitFailure;
    }
    const std::string path = ToLocalPath(positional.at(1));
    const std::string pdf = ToLocalPath(output);
    Maindb& db = TheMaindb();
    DataModuleCreate(db, exeDir);
    StartImage(db);
    if (!language.isEmpty()) {
        const std::string file = LanguageFilePath(exeDir, language.toStdString());
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) {
            PrintFileError(err, file, "no such language file");
            return kExitFailure;
        }
        // As a language chosen in the program: its file gives every text.
        db.All.LanguageName = language.toStdString();
        db.All.LanguageId = 1;
        LoadLanguage(db.Language, file);
    }
    if (const FileResult loaded = LoadDataFile(db.All, db.MacList, path); !loaded) {
        PrintFileError(err, path, FileProblemReason(loaded, db.Language));
        return kExitFailure;
    }
    if (!MayReplace(err, pdf, force)) return kExitFailure;
    QString error;
    if (!WriteSheetPdf(db.All, pdf, path, error)) {
        err << kProgram << ": " << error.toStdString() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int RunCli(const QStringList& args, const std::string& exeDir, std::ostream& out,
           std::ostream& err) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption helpOption(QStringList{"h", "help"});
    const QCommandLineOption versionOption(QStringList{"v", "version"});
    const QCommandLineOption forceOption(QStringList{"f", "force"});
    const QCommandLineOption portOption(QStringList{"p", "port"}, "port", "PORT");
    const QCommandLineOption outputOption(QStringList{"o", "output"}, "file", "FILE");
    const QCommandLineOption rangeOption("range", "sub-range", "S");
    const QCommandLineOption lowOption("low", "value", "VALUE");
    const QCommandLineOption highOption("high", "value", "VALUE");
    const QCommandLineOption verifyOption("verify");
    const QCommandLineOption jsonOption("json");
    const QCommandLineOption languageOption("language", "language", "NAME");
    const QCommandLineOption replaceAllOption("replace-all");
    const QCommandLineOption skipOption("skip-unsupported");
    const QCommandLineOption renumberOption("renumber", "first channel", "FIRST");
    parser.addOption(helpOption);
    parser.addOption(rangeOption);
    parser.addOption(lowOption);
    parser.addOption(highOption);
    parser.addOption(versionOption);
    parser.addOption(forceOption);
    parser.addOption(portOption);
    parser.addOption(outputOption);
    parser.addOption(verifyOption);
    parser.addOption(jsonOption);
    parser.addOption(languageOption);
    parser.addOption(replaceAllOption);
    parser.addOption(skipOption);
    parser.addOption(renumberOption);

    QStringList arguments = args;
    if (arguments.isEmpty()) arguments.append(kProgram);
    if (!parser.parse(arguments)) {
        PrintUsageError(err, parser.errorText().toStdString());
        return kExitUsage;
    }
    if (parser.isSet(helpOption)) return Emit(out, err, UsageText());
    if (parser.isSet(versionOption))
        return Emit(out, err, std::string(kProgram) + " " + ZORVA_VERSION + "\n");

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        PrintUsageError(err, "missing command");
        return kExitUsage;
    }
    const QString command = positional.at(0);
    if (command == "calibration") {
        const auto given = [&parser](const QCommandLineOption& option) {
            return parser.isSet(option) ? std::optional<QString>(parser.value(option))
                                        : std::nullopt;
        };
        const auto range = given(rangeOption), low = given(lowOption), high = given(highOption);
        return RunCalibrationCommand(positional, parser.value(portOption),
                                     parser.value(outputOption), parser.isSet(forceOption),
                                     range ? &*range : nullptr, low ? &*low : nullptr,
                                     high ? &*high : nullptr, exeDir, err);
    }
    if (parser.isSet(jsonOption) && command != "diff") {
        PrintUsageError(err, "--json belongs to 'diff'");
        return kExitUsage;
    }
    if (parser.isSet(verifyOption) && command != "write" && command != "read") {
        PrintUsageError(err, "--verify belongs to 'write'");
        return kExitUsage;
    }
    if (parser.isSet(languageOption) && command != "print") {
        PrintUsageError(err, "--language is for 'print' only");
        return kExitUsage;
    }
    for (const auto* option : {&replaceAllOption, &skipOption, &renumberOption}) {
        if (parser.isSet(*option) && command != "import-csv") {
            PrintUsageError(err, "--" + option->names().front().toStdString() +
                                     " belongs to 'import-csv'");
            return kExitUsage;
        }
    }
    if (command == "export-csv" || command == "import-csv") {
        CsvCommandOptions options;
        options.positional = positional;
        if (parser.isSet(outputOption)) options.output = ToLocalPath(parser.value(outputOption));
        options.force = parser.isSet(forceOption);
        options.replaceAll = parser.isSet(replaceAllOption);
        options.skipUnsupported = parser.isSet(skipOption);
        options.renumber = parser.value(renumberOption);
        return command == "export-csv" ? RunExportCsv(options, exeDir, out, err)
                                       : RunImportCsv(options, exeDir, out, err);
    }
    if (command == "print")
        return RunPrintCommand(positional, parser.value(outputOption), parser.value(languageOption),
                               parser.isSet(forceOption), exeDir, err);
    if (command == "diff")
        return RunDiffCommand(positional, parser.isSet(jsonOption), exeDir, out, err);
    if (command == "read" || command == "write")
        return RunTransferCommand(command, positional, parser.value(portOption),
                                  parser.value(outputOption), parser.isSet(forceOption),
                                  parser.isSet(verifyOption), exeDir, out, err);
    if (command != "new" && command != "show" && command != "dump") {
        PrintUsageError(err, "unknown command '" + command.toStdString() + "'");
        return kExitUsage;
    }
    if (positional.size() < 2) {
        PrintUsageError(err, "missing FILE.dat after '" + command.toStdString() + "'");
        return kExitUsage;
    }
    if (positional.size() > 2) {
        PrintUsageError(err, "too many arguments");
        return kExitUsage;
    }
    const std::string path = ToLocalPath(positional.at(1));

    try {
        auto db = StartDb(exeDir);

        if (command == "new") {
            if (!MayReplace(err, path, parser.isSet(forceOption))) return kExitFailure;
            if (const FileResult saved = SaveDataFile(db->All, path); !saved) {
                PrintFileError(err, path, FileProblemReason(saved, db->Language));
                return kExitFailure;
            }
            return kExitOk;
        }

        if (const FileResult loaded = LoadDataFile(db->All, db->MacList, path); !loaded) {
            PrintFileError(err, path, FileProblemReason(loaded, db->Language));
            return kExitFailure;
        }
        if (command == "dump") return Emit(out, err, DumpText(db->All));
        std::ostringstream text;
        PrintShow(db->All, text);
        return Emit(out, err, text.str());
    } catch (const std::exception& e) {
        PrintFileError(err, path, e.what());
        return kExitFailure;
    }
}

} // namespace zorva
