#include "ui/main_window/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its entry and icon (Wayland needs it).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ductcalc.DuctCalc"));
    ui::MainWindow window;
    window.show();
    return app.exec();
}
