#pragma once

#include <QStringList>

// The command line's work that needs no window.
namespace files {

inline constexpr const char* exportOption = "--export";

// `ductcalc --export OUT.csv FILE.ductsys`: computes the file and writes the table. Returns
// the exit status: 0 on success, else 1 with the reason on standard error.
int exportFromCommandLine(const QStringList& arguments);

} // namespace files
