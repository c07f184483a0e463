#pragma once

#include "files/system_report.h"

#include <QString>
#include <optional>

namespace exports {

// The system's calculation sheet (计算书) as an A4 landscape PDF: a title block and the
// settings, the table with its header on every page and no row cut across pages, the critical
// path and the balance of the branches, then the segments' fittings with their coefficients
// and sources; "第 n 页 / 共 m 页" under each page. The text is text, in an embedded face.
// Written whole or not at all; returns why it could not be. Needs a QGuiApplication, which may
// run on the offscreen platform.
std::optional<QString> writeSystemSheet(const QString& path, const files::SystemReport& report);

} // namespace exports
