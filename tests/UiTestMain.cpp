// Widget tests run without a display, in an application set up as the program's.
#include "shell/ui/Artwork.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Backups of the tests' reads go to a folder of their own, never to the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication::setWindowIcon(zorva::AppIcon());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
