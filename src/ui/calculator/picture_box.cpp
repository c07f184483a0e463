#include "ui/calculator/picture_box.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(Artist artist, QWidget* parent)
    : QFrame(parent)
    , artist(artist) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackgroundRole(QPalette::HighlightedText);
    setAutoFillBackground(true);
}

const QPixmap& PictureBox::pixmap() const {
    const qreal ratio = devicePixelRatioF();
    if (drawn.isNull() || drawn.devicePixelRatio() != ratio) {
        drawn = artist(size(), ratio);
    }
    return drawn;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawPixmap(contentsRect().topLeft(), pixmap());
}

} // namespace ui
