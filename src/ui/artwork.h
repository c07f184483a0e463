#pragma once

#include <QIcon>
#include <QPixmap>

// The window's pictures, drawn with vectors at the screen's device pixel ratio so that
// they stay sharp at any scale. Each needs a QGuiApplication (fonts and pixmaps).
namespace ui {

// Formula one of the friction factor, black on white: 171 x 69 device-independent pixels.
QPixmap formulaOnePicture(qreal devicePixelRatio);

// Formula two of the friction factor, black on white: 231 x 72 device-independent pixels.
QPixmap formulaTwoPicture(qreal devicePixelRatio);

// An airliner seen obliquely from above, at 16, 32, 48, 64, 128 and 256 pixels.
QIcon airlinerIcon();

} // namespace ui
