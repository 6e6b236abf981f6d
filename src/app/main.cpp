// The desktop program: the data module first, then the main window, then the event loop.
#include "core/Maindb.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/functions/FunctionEditors.h"
#include "link/qt/LocalPath.h"
#include "print/ui/PrintCommands.h"
#include "shell/Startup.h"
#include "shell/ui/Artwork.h"
#include "shell/ui/BuiltInDialogs.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <cstdio>

namespace {

// For the responsiveness benchmark (bench/ResponsivenessBench.cpp): with ZORVA_EXIT_AFTER_PAINT
// set, the program prints "painted" once its first paint is done, and ends.
class ExitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("painted\n");
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Only the name: a display name would be appended to every window caption.
    QApplication::setApplicationName(QStringLiteral("ZORVA-520SX"));
    QApplication::setWindowIcon(zorva::AppIcon());
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("zorva-cps"));
    // Numbers read and written by the windows use "." whatever the system's locale; dates in
    // the status bar still follow the system (QLocale::system()).
    QLocale::setDefault(QLocale::c());

    const QString exeDir = QCoreApplication::applicationDirPath() + '/';
    zorva::DataModuleCreate(zorva::TheMaindb(), zorva::ToLocalPath(exeDir));

    zorva::TfMainFrm mainForm;
    // Installed after the main window's own filter, so that it hears of the first paint first.
    ExitAfterFirstPaint exitAfterPaint;
    if (qEnvironmentVariableIsSet("ZORVA_EXIT_AFTER_PAINT"))
        app.installEventFilter(&exitAfterPaint);
    zorva::RegisterChannelEditors(mainForm);
    zorva::RegisterFunctionEditors(mainForm);
    zorva::RegisterPowerTest(mainForm);
    zorva::RegisterPrintCommands(mainForm);
    mainForm.showMaximized();
    // For the manual's screenshots (tools/manual-screenshots.sh): ZORVA_OPEN lists menu items by
    // their names in the language files (nChEdit,nOpt,nHelpTopics) to run once the window shows.
    const QStringList open = qEnvironmentVariable("ZORVA_OPEN").split(',', Qt::SkipEmptyParts);
    QTimer::singleShot(0, &mainForm, [&mainForm, open] {
        for (const QString& name : open)
            if (auto* item = mainForm.findChild<QAction*>(name.trimmed())) item->trigger();
    });
    return QApplication::exec();
}
