#pragma once
#include <QIcon>
#include <QPixmap>
namespace ui {
QPixmap formulaOnePicture(qreal devicePixelRatio);
QPixmap formulaTwoPicture(qreal devicePixelRatio);
QIcon windowIcon();
} // namespace ui
