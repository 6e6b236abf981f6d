// How the program feels: the largest delay of the event loop while the real read and write
// windows talk to the virtual radio at 4800 baud (a timer that should fire every 5 ms), and the
// time from start to the first painted main window against a bare Qt main window with a
// 128 x 15 table, both started the same way in the same run. Runs without a display.
//   build/responsiveness-bench [STARTS]        (default 7 starts of each)
#include "core/Maindb.h"
#include "link/qt/LocalPath.h"
#include "link/ui/ReadRadio.h"
#include "link/ui/WriteRadio.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kTickMs = 5;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the event loop until `done` holds or `timeoutMs` passed; false on the timeout.
bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The largest gap between two ticks of a timer that should fire every kTickMs, beyond those
// kTickMs, from Start() to Stop().
class LoopDelay {
public:
    LoopDelay() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const double now = clock_.nsecsElapsed() / 1e6;
            worst_ = std::max(worst_, now - last_ - kTickMs);
            last_ = now;
        });
    }
    void Start() {
        worst_ = 0;
        clock_.start();
        last_ = 0;
        timer_.start(kTickMs);
    }
    double Stop() {
        timer_.stop();
        return worst_;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    double last_ = 0, worst_ = 0;
};

// The virtual radio at 4800 baud; its device path, or empty when it did not start.
QString StartRadio(QProcess& radio, const QStringList& options) {
    radio.start(QCoreApplication::applicationDirPath() + "/zorva-radiosim",
                QStringList{"--baud", "4800"} + options);
    if (!radio.waitForReadyRead(5000)) return {};
    return QString::fromUtf8(radio.readLine()).trimmed();
}

void ClickOk(QDialog& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
}

// One transfer window run to its end while the loop's delay is measured; -1 when it failed.
double Transfer(bool read, const QString& dataFile) {
    QProcess radio;
    const QString port =
        StartRadio(radio, read ? QStringList{"--load", dataFile} : QStringList{"--sessions", "1"});
    if (port.isEmpty()) return -1;
    zorva::All().PortName = zorva::ToLocalPath(port);
    zorva::ScriptedMessages messages; // answers "Reading Completed." and the like
    LoopDelay delay;
    double worst = -1;
    if (read) {
        zorva::TfReadRadio dialog(zorva::All());
        dialog.show();
        if (!WaitFor([&] { return dialog.Port().IsOpen(); }, 5000)) return -1;
        delay.Start();
        ClickOk(dialog);
        const bool done = WaitFor([&] { return !dialog.isVisible(); }, 120000);
        worst = delay.Stop();
        if (!done || !dialog.ReadCompleted()) worst = -1;
    } else {
        zorva::TfWriteRadio dialog(zorva::All());
        dialog.show();
        if (!WaitFor([&] { return dialog.Port().IsOpen(); }, 5000)) return -1;
        delay.Start();
        ClickOk(dialog);
        const bool done = WaitFor([&] { return dialog.WritesCompleted() == 1; }, 120000);
        worst = delay.Stop();
        if (!done) worst = -1;
    }
    radio.kill();
    radio.waitForFinished();
    return worst;
}

// Milliseconds from starting `program` to the line it prints once its window is painted.
double TimeToFirstPaint(const QString& program, const QStringList& arguments, const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZORVA_EXIT_AFTER_PAINT", "1");
    // The program's own files (settings, backups) stay out of the user's folders.
    env.insert("XDG_CONFIG_HOME", home);
    env.insert("XDG_DATA_HOME", home);
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForReadyRead(30000)) return -1;
    const double ms = clock.nsecsElapsed() / 1e6;
    process.waitForFinished(10000);
    return ms;
}

// The window the program is compared with: a main window with a filled 128 x 15 table.
int BareWindow() {
    QMainWindow window;
    auto* table = new QTableWidget(128, 15, &window);
    for (int row = 0; row < 128; ++row)
        for (int column = 0; column < 15; ++column)
            table->setItem(row, column, new QTableWidgetItem(QStringLiteral("145.50000")));
    window.setCentralWidget(table);
    window.showMaximized();
    struct FirstPaint : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && !seen) {
                seen = true;
                QTimer::singleShot(0, [] {
                    std::printf("painted\n");
                    std::fflush(stdout);
                    QApplication::exit(0);
                });
            }
            return false;
        }
        bool seen = false;
    } firstPaint;
    qApp->installEventFilter(&firstPaint);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--bare") {
        QApplication app(argc, argv);
        return BareWindow();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8()); // a read's backup stays in here
    zorva::DataModuleCreate(zorva::TheMaindb(), zorva::ToLocalPath(dir.path() + '/'));
    zorva::StartImage(zorva::TheMaindb());
    const QString dataFile = dir.filePath("radio.dat");
    QProcess::execute(QCoreApplication::applicationDirPath() + "/zorva-cli",
                      {"new", dataFile, "--force"});

    const double read = Transfer(true, dataFile);
    const double write = Transfer(false, dataFile);
    std::printf("event loop, largest delay beyond its 5 ms tick (target <= 50 ms)\n");
    std::printf("  read window, 4800 baud   %7.2f ms\n", read);
    std::printf("  write window, 4800 baud  %7.2f ms\n", write);

    // Alternated, so that both see the same state of the machine.
    std::vector<double> program, bare;
    const QString self = QCoreApplication::applicationFilePath();
    const QString cps = QCoreApplication::applicationDirPath() + "/zorva-cps";
    for (int i = 0; i < starts; ++i) {
        program.push_back(TimeToFirstPaint(cps, {}, dir.path()));
        bare.push_back(TimeToFirstPaint(self, {"--bare"}, dir.path()));
    }
    const double p = Median(program), b = Median(bare);
    std::printf("start to first painted main window, median of %d (target <= 1.3 x bare)\n",
                starts);
    std::printf("  program   %7.1f ms\n  bare      %7.1f ms\n  ratio     %7.2f\n", p, b, p / b);
    return read < 0 || write < 0 || p < 0 || b < 0 ? 1 : 0;
}
