// The program as it starts for a user (the same steps as src/main.cpp), with the exposure
// probe.
#include "exposure_probe.h"
#include "ui/main_window/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ExposureProbe probe;
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ductcalc.DuctCalc"));
    ui::MainWindow window;
    window.show();
    return app.exec();
}
