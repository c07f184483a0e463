#include "ui/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its entry and icon (Wayland needs it).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ductcalc.DuctCalc"));
    ui::Form1 window;
    window.show();
    return app.exec();
}
