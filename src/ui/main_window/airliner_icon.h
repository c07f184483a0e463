#pragma once

#include <QIcon>

namespace ui {

// The window's icon: an airliner seen obliquely from above, drawn with vectors at 16, 32,
// 48, 64, 128 and 256 pixels when first needed. Needs a QGuiApplication.
QIcon airlinerIcon();

} // namespace ui
