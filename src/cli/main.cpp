// zorva-cli: creates, shows and dumps data files from the command line.
#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("zorva-cli");
    // The settings and language files are looked for beside the executable, as the
    // program does.
    const std::string exeDir =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/";
    return zorva::RunCli(QCoreApplication::arguments(), exeDir, std::cout, std::cerr);
}
