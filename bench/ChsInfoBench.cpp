// Times the channel table with all 128 channels in use: showing the window (which words and
// sizes the columns) and drawing the rows in sight, each decoded from the image as it is
// drawn, as after a batch edit. Runs without a display.
//   build/chsinfo-bench [ROUNDS]
#include "FullImage.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChsInfo.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    QTemporaryDir dir;
    zorva::DataModuleCreate(zorva::TheMaindb(), dir.path().toStdString() + "/");
    zorva::StartImage(zorva::TheMaindb());
    zorva::bench::FillAllChannels();

    zorva::RadioDocument document(zorva::All(), zorva::MacList());
    std::vector<double> shows, fills;
    for (int round = 0; round < rounds; ++round) {
        zorva::TfChsInfo table(document);
        QElapsedTimer clock;
        clock.start();
        table.show(); // runs FormShow: localisation and every row
        QApplication::processEvents();
        shows.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        // The rows in sight are decoded as they are drawn.
        table.Grid()->viewport()->repaint();
        fills.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("channel table, 128 channels in use, %d rounds (median / worst)\n", rounds);
    std::printf("  FormShow     %7.2f ms / %7.2f ms   (target < 100 ms)\n", Median(shows),
                *std::max_element(shows.begin(), shows.end()));
    std::printf("  Repaint      %7.2f ms / %7.2f ms   (target < 20 ms)\n", Median(fills),
                *std::max_element(fills.begin(), fills.end()));
    return 0;
}
