#pragma once

#include "files/system_report.h"

#include <QString>
#include <optional>

namespace files {

// The system as an Excel workbook: 管段明细 (the table, numbers as numbers, the losses as
// formulas over the row's cells with the program's values cached), 最不利环路, 并联平衡, 管件
// (each segment's fittings) and 参数. Written whole or not at all; returns why it could not be.
std::optional<QString> writeSystemWorkbook(const QString& path, const SystemReport& report);

} // namespace files
