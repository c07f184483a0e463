#pragma once

#include "system/duct_system.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// What the system's calculation sheets show besides the table: their heading and the
// settings the system was computed with.
namespace files {

struct SystemReport {
    QString name; // the system's: its file's name without the suffix, or 未命名
    QDate date;
    const std::vector<ductsys::Segment>& segments;
    const ductsys::Settings& settings;
    const ductsys::SystemResult& result;
};

// "0.1.0"
QString programVersion();
// "风速计算 0.1.0"
QString programAndVersion();

// The system's name for a file's path, empty for a new system.
QString systemName(const QString& path);
// Its file's name with the suffix, as the windows show it; 未命名 for a new system.
QString systemFileName(const QString& path);

// A caption and its value, with the unit, for each setting.
std::vector<std::pair<QString, QString>> settingLines(const ductsys::Settings& settings);

// A segment's fitting as the sheets list it.
struct FittingLine {
    QString segment; // its 编号
    QString name;
    QString parameters; // "R/D=1.5，角度 °=90"
    int count;
    double zeta; // of one, on the segment's velocity
    QString source;
};
std::vector<FittingLine> fittingLines(const std::vector<ductsys::Segment>& segments);
QStringList fittingHeaders();

// The critical path's 编号 joined by arrows between blanks, where a long path wraps; or 无.
QString criticalPathText(const SystemReport& report);

} // namespace files
