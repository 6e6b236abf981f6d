#include "cli/CliTransfer.h"

#include "cli/CliCommands.h"
#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "dump/ReadBackCheck.h"
#include "link/PowerTestEngine.h"
#include "link/ReadEngine.h"
#include "link/WriteEngine.h"
#include "link/qt/LinkWiring.h"
#include "link/qt/LocalPath.h"
#include "shell/Backups.h"
#include "shell/DataFile.h"

#include <QEventLoop>
#include <QSaveFile>
#include <QTimer>
#include <ctime>
#include <istream>
#include <optional>
#include <ostream>

namespace zorva {

namespace {

// Nothing the radio does may keep a script waiting for ever.
constexpr int kWatchdogMs = 10 * 60 * 1000;

// What both terminal windows share: the event loop a run waits in until it is finished,
// the watchdog, and a progress line on the error stream ("LABEL n of m"; none without a
// label).
class TerminalRun {
public:
    TerminalRun(std::ostream& err, const char* progressLabel)
        : err_(err), progressLabel_(progressLabel) {}
    virtual ~TerminalRun() = default;
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    virtual void Finish(bool success) {
        succeeded_ = success;
        QTimer::singleShot(0, &loop_, [this] { loop_.quit(); });
    }
    // Runs until Finish, or gives up after the watchdog.
    bool Run() {
        QTimer::singleShot(kWatchdogMs, &loop_, [this] {
            err_ << "zorva-cli: no answer from the radio; giving up\n";
            Finish(false);
        });
        loop_.exec();
        EndProgressLine();
        return succeeded_;
    }

protected:
    void ShowProgressLine(int value, int maximum) {
        if (!progressLabel_ || value == 0 || value == lastShown_) return;
        lastShown_ = value;
        err_ << "\r" << progressLabel_ << " " << value << " of " << maximum << std::flush;
        progressOpen_ = true;
    }
    void EndProgressLine() {
        if (progressOpen_) err_ << "\n";
        progressOpen_ = false;
    }
    bool Succeeded() const { return succeeded_; }

    std::ostream& err_;

private:
    const char* progressLabel_;
    QEventLoop loop_;
    bool succeeded_ = false;
    bool progressOpen_ = false;
    int lastShown_ = -1;
};

// The terminal in the window's place: messages on the error stream, a progress line,
// questions answered by --force or on the terminal. A failure message ends the run, since
// nobody is there to close a window that stays open.
class TerminalWindow : public LinkUser, public TerminalRun {
public:
    TerminalWindow(const TransferOptions& options, std::istream& in, std::ostream& err,
                   const char* progressLabel, std::string successText)
        : TerminalRun(err, progressLabel), options_(options), in_(in),
          successText_(std::move(successText)) {}

    int ShowMsg(const std::string&, const std::string& text, MsgKind kind) override {
        EndProgressLine();
        if (kind == kMsgYesNo) return Ask(text);
        if (quietSuccess_ && text == successText_) return kResultOk;
        err_ << "zorva-cli: " << text << "\n";
        if (kind == kMsgInfo && text != successText_) Finish(false);
        return kResultOk;
    }
    void SetProgress(int value, int maximum) override { ShowProgressLine(value, maximum); }
    void SetOkEnabled(bool) override {}
    void CloseWindow() override { Finish(Succeeded()); }

    // The success message is not printed (the caller reports the outcome itself).
    void QuietSuccess() { quietSuccess_ = true; }

private:
    int Ask(const std::string& text) {
        if (options_.force) return kResultYes;
        if (!options_.interactive) {
            err_ << "zorva-cli: " << text << " (answered no; use --force)\n";
            return kResultNo;
        }
        err_ << text << " [y/N] " << std::flush;
        std::string answer;
        std::getline(in_, answer);
        return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y') ? kResultYes : kResultNo;
    }

    const TransferOptions& options_;
    std::istream& in_;
    std::string successText_;
    bool quietSuccess_ = false;
};

// The port and timers wired to an engine, as the windows wire them, on the port named.
struct Wiring : LinkWiring {
    Wiring(Maindb& db, const std::string& portName) : LinkWiring(db.All.ExeDir, db.Language) {
        db.All.PortName = portName;
    }
};

// The power test window in the terminal: every message on the error stream; the Retry /
// Cancel question is answered Cancel, since nobody can fix the line meanwhile, and ends the
// run as any failure does. The run succeeds when the awaited sequence completes; the first
// end of the run stands.
class TerminalPowerWindow : public PowerTestUser, public TerminalRun {
public:
    TerminalPowerWindow(std::ostream& err, PowerSequence awaited, const char* progressLabel)
        : TerminalRun(err, progressLabel), awaited_(awaited) {}

    int ShowMsg(const std::string&, const std::string& text, MsgKind kind) override {
        EndProgressLine();
        err_ << "zorva-cli: " << text << "\n";
        Finish(false);
        return kind == kMsgRetryCancel ? kResultCancel : kResultOk;
    }
    void SetProgress(int value, int maximum) override { ShowProgressLine(value, maximum); }
    void PortStateChanged(bool) override {}
    void ShowProgress(bool) override {}
    void SetPanelEnabled(bool) override {}
    void SequenceCompleted(PowerSequence sequence) override {
        if (sequence == awaited_) Finish(true);
    }
    void CloseWindow() override { Finish(Succeeded()); }

    void Finish(bool success) override {
        if (finished_) return;
        finished_ = true;
        TerminalRun::Finish(success);
    }

private:
    PowerSequence awaited_;
    bool finished_ = false;
};

} // namespace

int RunRead(Maindb& db, const TransferOptions& options, std::istream& in, std::ostream& err) {
    Wiring wiring(db, options.port);
    TerminalWindow window(options, in, err, "Reading block", db.Language.ReadOk);
    ReadEngine engine(wiring.ExchangeContext(db.All, db.MacList, window));
    wiring.Connect(engine);
    engine.FormShow();
    engine.Start();
    window.Run();
    engine.FormClose();
    if (!engine.ReadCompleted()) return kExitFailure;

    // The backup is first: when the file named cannot be written, the read is not lost.
    const BackupResult backup = WriteBackup(db.All, BackupFolder(), std::time(nullptr));
    if (!backup.written)
        err << "zorva-cli: warning: " << db.Language.BackupError << " " << backup.path << ": "
            << backup.reason << "\n";

    if (const FileResult saved = SaveDataFile(db.All, options.file); !saved) {
        err << "zorva-cli: " << options.file << ": " << FileProblemReason(saved, db.Language)
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

namespace {

// Reads the radio into a copy of the program's image, after the pause the radio needs once a
// write has ended; the image itself stays as it is. The memory as read, or nothing.
std::optional<std::vector<uint8_t>> ReadBack(Maindb& db, const TransferOptions& options,
                                             std::istream& in, std::ostream& err) {
    Wiring wiring(db, options.port);
    TALL copy = db.All;
    TerminalWindow window(options, in, err, "Verifying block", db.Language.ReadOk);
    window.QuietSuccess();
    ReadEngine engine(wiring.ExchangeContext(copy, db.MacList, window));
    wiring.Connect(engine);
    engine.FormShow();
    QTimer pause;
    pause.setSingleShot(true);
    QObject::connect(&pause, &QTimer::timeout, &pause, [&engine] { engine.Start(); });
    pause.start(kAfterWritePauseMs);
    window.Run();
    engine.FormClose();
    if (!engine.ReadCompleted()) return std::nullopt;
    return engine.Blocks();
}

} // namespace

int RunWrite(Maindb& db, const TransferOptions& options, std::istream& in, std::ostream& out,
             std::ostream& err) {
    if (const FileResult loaded = LoadDataFile(db.All, db.MacList, options.file); !loaded) {
        err << "zorva-cli: " << options.file << ": " << FileProblemReason(loaded, db.Language)
            << "\n";
        return kExitFailure;
    }
    Wiring wiring(db, options.port);
    TerminalWindow window(options, in, err, "Writing block", db.Language.WriteOk);
    WriteEngine engine(wiring.ExchangeContext(db.All, db.MacList, window), CurrentTimeText);
    wiring.Connect(engine);
    engine.FormShow();
    engine.Start();
    // A completed write closes the window, as a completed read does.
    window.Run();
    const bool written = engine.WritesCompleted() > 0;
    engine.FormClose();
    if (!written) return kExitFailure;
    if (!options.verify) return kExitOk;

    // The image as written, time stamp included, is what the radio should now hold.
    const auto readBack = ReadBack(db, options, in, err);
    if (!readBack) {
        err << "zorva-cli: " << db.Language.VerifyFailed << "\n";
        return kExitFailure;
    }
    const std::vector<std::string> differences = ReadBackDifferences(db.All, *readBack);
    if (differences.empty()) {
        out << db.Language.VerifyOk << "\n";
        return kExitOk;
    }
    out << db.Language.VerifyMismatch << "\n";
    for (const std::string& line : differences)
        out << line << "\n";
    return kExitFailure;
}

int RunCalibrationRead(Maindb& db, const CalibrationOptions& options, std::ostream& err) {
    Wiring wiring(db, options.port);
    TerminalPowerWindow window(err, PowerSequence::Online, "Reading table");
    PowerTestEngine engine(wiring.PowerContext(db.All, window));
    wiring.Connect(engine);
    engine.Online();
    const bool read = window.Run() && engine.TableValid();
    const CalibrationTable table = engine.Table();
    engine.FormClose();
    if (!read) return kExitFailure;

    QSaveFile file(FromLocalPath(options.file));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(table.data()), kCalibrationSize) !=
            kCalibrationSize ||
        !file.commit()) {
        err << "zorva-cli: " << options.file << ": " << file.errorString().toStdString() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int RunCalibrationSet(Maindb& db, const CalibrationOptions& options, std::ostream& err) {
    Wiring wiring(db, options.port);
    TerminalPowerWindow window(err, PowerSequence::SetPower, nullptr);
    PowerTestEngine engine(wiring.PowerContext(db.All, window));
    wiring.Connect(engine);
    // The window reads the table first to show it; a single value needs only the port.
    engine.OpenPort([&](bool opened) {
        if (opened)
            engine.SetPower(options.subRange, options.tag, static_cast<uint8_t>(options.value));
    });
    const bool set = window.Run();
    engine.FormClose();
    return set ? kExitOk : kExitFailure;
}

} // namespace zorva
