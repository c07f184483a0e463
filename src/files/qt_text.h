#pragma once

#include <QString>
#include <string_view>

namespace files {

// A text of the calculation core, UTF-8, as Qt holds it.
inline QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace files
