#pragma once

#include "files/system_report.h"

#include <QStringList>
#include <optional>

// The command line's work that needs no window.
namespace exports {

inline constexpr const char* exportOption = "--export";

// Writes the system in the format the path's suffix names (.csv, .xlsx or .pdf), whole or
// not at all; returns why it could not.
std::optional<QString> writeSystemAs(const QString& path, const files::SystemReport& report);

// `ductcalc --export OUT FILE.ductsys`: computes the file and writes it as the suffix of OUT
// says: .csv, .xlsx or .pdf. Returns the exit status: 0 on success, else 1 with the reason
// on standard error. Needs a QGuiApplication, which may run on the offscreen platform.
int exportFromCommandLine(const QStringList& arguments);

} // namespace exports
