#include "files/system_report.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "files/fitting_library.h"
#include "files/qt_text.h"
#include "system/system_table.h"

#include <QFileInfo>

namespace files {

namespace {

// A limit as the settings show it, where 0 is 不限.
QString limitText(double value, const char* unit) {
    return value > 0 ? QString::number(value) + QString::fromUtf8(unit) : QString::fromUtf8("不限");
}

// A system that has no file yet.
QString unnamed() {
    return QString::fromUtf8("未命名");
}

} // namespace

QString programVersion() {
    return QStringLiteral(DUCTCALC_VERSION);
}

QString programAndVersion() {
    return QString::fromUtf8("风速计算 ") + programVersion();
}

QString systemName(const QString& path) {
    return path.isEmpty() ? unnamed() : QFileInfo(path).completeBaseName();
}

QString systemFileName(const QString& path) {
    return path.isEmpty() ? unnamed() : QFileInfo(path).fileName();
}

std::vector<std::pair<QString, QString>> settingLines(const ductsys::Settings& s) {
    const auto line = [](const char* caption, QString value) {
        return std::pair{QString::fromUtf8(caption), std::move(value)};
    };
    const auto plain = [](float value) { return qString(calc::formatPlain(value)); };
    return {line("材料", qString(calc::materials[s.material].name)),
            line("粗糙度 K", plain(s.roughness) + QStringLiteral(" mm")),
            line("比摩阻公式", qString(calc::formulaName(s.formula))),
            line("空气密度", plain(s.density) + QStringLiteral(" kg/m3")),
            line("运动粘度", plain(s.viscosity) + QStringLiteral(" m2/s")),
            line("干管风速上限", limitText(s.velocityLimits[0], " m/s")),
            line("支管风速上限", limitText(s.velocityLimits[1], " m/s")),
            line("末端风速上限", limitText(s.velocityLimits[2], " m/s")),
            line("最大比摩阻", limitText(s.maxFriction, " Pa/m")),
            line("最大长宽比", limitText(s.maxAspect, "")),
            line("不平衡率限值", limitText(s.balanceLimit, " %"))};
}

std::vector<FittingLine> fittingLines(const std::vector<ductsys::Segment>& segments) {
    std::vector<FittingLine> lines;
    for (const ductsys::Segment& segment : segments) {
        for (const ductsys::FittingEntry& entry : segment.fittings) {
            const fittings::Fitting* fitting = fittings::find(fittingLibrary(), entry.id);
            QStringList parameters;
            for (const auto& [name, value] : entry.parameters) {
                parameters << qString(name) + QLatin1Char('=') + QString::number(value);
            }
            lines.push_back({qString(segment.cells[ductsys::Id]),
                             fitting ? qString(fitting->name) : qString(entry.id),
                             parameters.join(QString::fromUtf8("，")), entry.count, entry.zeta,
                             fitting ? qString(fitting->source) : QString()});
        }
    }
    return lines;
}

QStringList fittingHeaders() {
    return {QString::fromUtf8("编号"), QString::fromUtf8("管件"),        QString::fromUtf8("参数"),
            QString::fromUtf8("数量"), QString::fromUtf8("ζ（本管段）"), QString::fromUtf8("来源")};
}

QString criticalPathText(const SystemReport& report) {
    QStringList ids;
    for (const std::string& id : ductsys::criticalPathIds(report.segments, report.result)) {
        ids << qString(id);
    }
    return ids.isEmpty() ? QString::fromUtf8("无") : ids.join(QString::fromUtf8(" → "));
}

} // namespace files
