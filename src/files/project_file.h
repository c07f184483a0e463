#pragma once

#include "system/duct_system.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <variant>
#include <vector>

// The duct system's project file: JSON, UTF-8. Cells that hold a valid value are written as
// values (numbers, names of shapes and kinds, sizes as lists); a cell that does not, as the
// unfinished text the user typed, so that saving never drops anything. Keys this program
// does not know are kept and written back.
namespace files {

// Version 2 adds each segment's fittings.
inline constexpr int projectVersion = 2;
inline constexpr const char* projectFormat = "ductcalc-system";

// What the file held at its top level and in its settings that this program does not know.
struct UnknownKeys {
    QJsonObject file;
    QJsonObject settings;
};

struct Project {
    std::vector<ductsys::Segment> segments;
    ductsys::Settings settings;
    UnknownKeys unknownKeys;
};

QByteArray projectBytes(const Project& project);

// The project the bytes hold, or why they hold none, in Chinese, naming the place: an empty
// file, the line and column where a cut-short file breaks off or of a JSON error, or the
// segment's 编号 and the field.
std::variant<Project, QString> readProject(const QByteArray& bytes);

} // namespace files
