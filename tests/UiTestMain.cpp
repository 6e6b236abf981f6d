// Widget tests run without a display, in an application set up as the program's.
#include "shell/ui/Artwork.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(zorva::AppIcon());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
