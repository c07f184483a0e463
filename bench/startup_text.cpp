// A second floor: the minimal window with one line of Chinese text, which brings up the
// font configuration and a CJK face as every window with Chinese captions must.
#include "exposure_probe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ExposureProbe probe;
    QLabel window(QString::fromUtf8("风速计算"));
    window.resize(697, 442);
    window.show();
    return app.exec();
}
