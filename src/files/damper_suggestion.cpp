#include "files/damper_suggestion.h"

#include "system/system_table.h"

namespace files {

QString damperText(const ductsys::DamperSuggestion& suggestion) {
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
