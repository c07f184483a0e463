#include "ui/artwork.h"
namespace ui {
static QPixmap blank(int w, int h, qreal r) {
    QPixmap p(int(w * r), int(h * r));
    p.setDevicePixelRatio(r);
    p.fill(Qt::white);
    return p;
}
QPixmap formulaOnePicture(qreal r) {
    return blank(171, 69, r);
}
QPixmap formulaTwoPicture(qreal r) {
    return blank(231, 72, r);
}
QIcon windowIcon() {
    return {};
}
} // namespace ui
