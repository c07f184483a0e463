#include "files/damper_suggestion.h"

#include "files/fitting_library.h"
#include "system/system_table.h"

namespace files {

std::optional<DamperSuggestion> damperSuggestion(const ductsys::SystemResult& result,
                                                 const ductsys::BalanceRow& branch) {
    const ductsys::SegmentResult& first = result.segments[branch.branch];
    if (!branch.overLimit || !first.computed || !(first.figures.dynamicPressure > 0)) {
        return std::nullopt;
    }
    DamperSuggestion suggestion;
    suggestion.pressure = branch.largest - branch.loss;
    suggestion.zeta = suggestion.pressure / first.figures.dynamicPressure;
    const bool round = first.section.shape == calc::DuctShape::Circular;
    suggestion.damper = fittings::find(fittingLibrary(), round ? "round-butterfly-damper"
                                                               : "rect-opposed-blade-damper");
    if (suggestion.damper) {
        suggestion.angle = fittings::damperAngle(*suggestion.damper, suggestion.zeta);
    }
    return suggestion;
}

QString damperText(const DamperSuggestion& suggestion) {
    const QString zeta = QString::fromStdString(ductsys::figureText(suggestion.zeta));
    const QString name =
        suggestion.damper ? QString::fromStdString(suggestion.damper->name) : QString();
    if (!suggestion.angle) {
        return QString::fromUtf8("阀门 ζ %1：%2的数据中无此开度").arg(zeta, name);
    }
    return QString::fromUtf8("阀门 ζ %1：%2 转角 %3°")
        .arg(zeta, name, QString::number(*suggestion.angle, 'f', 0));
}

} // namespace files
