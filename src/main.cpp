#include "exports/command_line.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/qt_translations.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// A windowed program on Windows starts without standard error: the reason of a failed
// export goes to the console it was started from, unless standard error is redirected.
void reportToConsole() {
#ifdef _WIN32
    if (GetStdHandle(STD_ERROR_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
}

bool exportsOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], exports::exportOption, std::strlen(exports::exportOption)) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setOrganizationName(QStringLiteral("ductcalc"));
    QCoreApplication::setApplicationName(QStringLiteral("ductcalc"));
    if (exportsOnly(argc, argv)) {
        // No display: a batch job or a script on a server. The sheet's text needs Qt Gui,
        // which runs without one on the offscreen platform (Windows always has a desktop).
        reportToConsole();
#ifndef _WIN32
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
#endif
        const QGuiApplication app(argc, argv);
        return exports::exportFromCommandLine(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    ui::installQtTranslations();
    // Lets the desktop match the window to its entry and icon (Wayland needs it).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ductcalc.DuctCalc"));
    ui::MainWindow window;
    window.show();
    window.offerRecoveryAfterFirstPaint();
    // A file given, as by a file manager, opens in the duct system window.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1) {
        window.openSystemFile(arguments[1]);
    }
    return app.exec();
}
