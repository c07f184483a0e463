// The program as it starts for a user (the same steps as src/main.cpp), with the exposure
// probe.
#include "exposure_probe.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/qt_translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QCoreApplication::setOrganizationName(QStringLiteral("ductcalc"));
    QCoreApplication::setApplicationName(QStringLiteral("ductcalc"));
    QApplication app(argc, argv);
    ExposureProbe probe;
    ui::installQtTranslations();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ductcalc.DuctCalc"));
    ui::MainWindow window;
    window.show();
    window.offerRecoveryAfterFirstPaint();
    return app.exec();
}
