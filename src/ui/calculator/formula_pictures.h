#pragma once

#include <QPixmap>
#include <QSize>

// The pictures of the two friction-factor formulas, black on white, drawn with vectors at
// the screen's device pixel ratio so that they stay sharp at any scale. Each is shown
// unscaled from the top-left corner of a picture box of the given size, in
// device-independent pixels, and keeps its ink clear of the box's sunken border. Each
// needs a QGuiApplication (fonts and pixmaps).
namespace ui {

// Formula one: 171 x 69 device-independent pixels.
QPixmap formulaOnePicture(QSize boxSize, qreal devicePixelRatio);

// Formula two: 231 x 72 device-independent pixels.
QPixmap formulaTwoPicture(QSize boxSize, qreal devicePixelRatio);

} // namespace ui
