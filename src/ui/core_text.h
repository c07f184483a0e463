#pragma once

#include <QString>
#include <string_view>

namespace ui {

// A text of the calculation core, UTF-8, as the controls hold it.
inline QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace ui
