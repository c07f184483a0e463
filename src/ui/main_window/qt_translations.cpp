#include "ui/main_window/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

namespace {

// On Windows Qt's own translations path is the build machine's: the program carries the
// catalogue in a folder beside itself instead.
QString translationsFolder() {
#ifdef _WIN32
    return QCoreApplication::applicationDirPath() + QLatin1String("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace

bool installQtTranslations() {
    // qtbase alone: the catalogue qt_zh_CN only names it and Qt's multimedia texts, which the
    // program does not use.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), translationsFolder())) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace ui
