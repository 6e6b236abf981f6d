// zorva-cli: creates, shows and dumps data files from the command line.
#include "cli/CliCommands.h"
#include "link/qt/LocalPath.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("zorva-cli");
    // The settings and language files are looked for beside the executable, as the
    // program does.
    const std::string exeDir = zorva::ToLocalPath(QCoreApplication::applicationDirPath()) + "/";
    return zorva::RunCli(QCoreApplication::arguments(), exeDir, std::cout, std::cerr);
}
