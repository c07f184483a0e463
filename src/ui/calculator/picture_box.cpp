#include "ui/calculator/picture_box.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(Artist artist, QWidget* parent)
    : QFrame(parent)
    , artist_(artist) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackgroundRole(QPalette::HighlightedText);
    setAutoFillBackground(true);
}

const QPixmap& PictureBox::pixmap() const {
    const qreal ratio = devicePixelRatioF();
    if (drawn_.isNull() || drawn_.devicePixelRatio() != ratio) {
        drawn_ = artist_(size(), ratio);
    }
    return drawn_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawPixmap(contentsRect().topLeft(), pixmap());
}

} // namespace ui
