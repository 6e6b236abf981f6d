#include "settings/ui/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace zorva {

bool InstallToolkitTranslations(const std::string& locale) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (locale.empty() || locale == "en") return false;
    auto translator = std::make_unique<QTranslator>();
    // "qt" names the collection of every module's texts; "qtbase" the widgets' alone.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale wanted(QString::fromStdString(locale));
    for (const char* collection : {"qt", "qtbase"}) {
        if (translator->load(wanted, QString::fromLatin1(collection), QStringLiteral("_"),
                             folder)) {
            QCoreApplication::installTranslator(translator.get());
            installed = std::move(translator);
            return true;
        }
    }
    return false;
}

} // namespace zorva
