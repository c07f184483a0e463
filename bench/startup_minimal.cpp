// The floor: a Qt Widgets program that opens one empty window, with the exposure probe.
#include "exposure_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ExposureProbe probe;
    QWidget window;
    window.resize(697, 442);
    window.show();
    return app.exec();
}
