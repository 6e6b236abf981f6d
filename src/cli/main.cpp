// zorva-cli: creates, shows and dumps data files from the command line.
#include "cli/CliCommands.h"
#include "link/qt/LocalPath.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstring>
#include <iostream>
#include <memory>

int main(int argc, char** argv) {
    // The printed sheet needs the drawing part of Qt (fonts, the PDF writer) and no display:
    // the offscreen platform is chosen whatever the environment names, so a terminal without
    // any display prints too. Every other command does with the core.
    const bool printing = std::any_of(
        argv + 1, argv + argc, [](const char* arg) { return std::strcmp(arg, "print") == 0; });
    std::unique_ptr<QCoreApplication> app;
    if (printing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The platform's notes about the missing screen are no concern of the user's.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << "\n";
        });
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("zorva-cli");
    // The settings and language files are looked for beside the executable, as the
    // program does.
    const std::string exeDir = zorva::ToLocalPath(QCoreApplication::applicationDirPath()) + "/";
    return zorva::RunCli(QCoreApplication::arguments(), exeDir, std::cout, std::cerr);
}
