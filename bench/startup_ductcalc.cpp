// The calculator as it starts for a user, with the exposure probe.
#include "exposure_probe.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ExposureProbe probe;
    ui::Form1 window;
    window.show();
    return app.exec();
}
