#include "files/system_report.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "system/system_table.h"

#include <QFileInfo>

namespace files {

namespace {

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A limit as the settings show it, where 0 is 不限.
QString limitText(double value, const char* unit) {
    return value > 0 ? QString::number(value) + QString::fromUtf8(unit) : QString::fromUtf8("不限");
}

} // namespace

QString programAndVersion() {
    return QString::fromUtf8("风速计算 ") + QStringLiteral(DUCTCALC_VERSION);
}

QString systemName(const QString& path) {
    return path.isEmpty() ? QString::fromUtf8("未命名") : QFileInfo(path).completeBaseName();
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

QString criticalPathText(const SystemReport& report) {
    QStringList ids;
    for (const std::string& id : ductsys::criticalPathIds(report.segments, report.result)) {
        ids << qString(id);
    }
    return ids.isEmpty() ? QString::fromUtf8("无") : ids.join(QString::fromUtf8(" → "));
}

} // namespace files
