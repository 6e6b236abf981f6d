// Times the printed configuration sheet of an image with all 128 channels in use, written as
// a PDF file: gathering it and painting every page. Runs without a display.
//   build/print-bench [ROUNDS]
#include "FullImage.h"
#include "core/Maindb.h"
#include "print/SheetPdf.h"
#include "shell/Startup.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    QTemporaryDir dir;
    zorva::DataModuleCreate(zorva::TheMaindb(), dir.path().toStdString() + "/");
    zorva::StartImage(zorva::TheMaindb());
    zorva::bench::FillAllChannels();

    const std::string pdf = dir.path().toStdString() + "/sheet.pdf";
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        QString error;
        if (!zorva::WriteSheetPdf(zorva::All(), pdf, "radio.dat", error)) {
            std::fprintf(stderr, "%s\n", error.toUtf8().constData());
            return 1;
        }
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("configuration sheet as PDF, 128 channels in use, %d rounds\n", rounds);
    std::printf("  median %7.1f ms, worst %7.1f ms   (target < 1000 ms), %lld bytes\n",
                times[times.size() / 2], times.back(),
                static_cast<long long>(QFileInfo(QString::fromStdString(pdf)).size()));
    return 0;
}
