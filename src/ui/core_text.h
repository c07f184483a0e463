#pragma once

#include "files/qt_text.h"

namespace ui {

using files::qString;

} // namespace ui
