#pragma once

#include "fittings/fittings.h"
#include "system/system_table.h"

#include <QString>
#include <optional>

namespace files {

// What brings a branch over the balance limit level with its largest sibling: the pressure
// to add at its first segment, the ζ of a damper there (that pressure over the segment's
// dynamic pressure), and the damper's angle from fully open that gives it, from the
// library's butterfly (round) or opposed-blade (rectangular) damper.
struct DamperSuggestion {
    double pressure = 0; // Pa
    double zeta = 0;
    const fittings::Fitting* damper = nullptr;
    std::optional<double> angle; // degrees; none beyond the damper's data
};

std::optional<DamperSuggestion> damperSuggestion(const ductsys::SystemResult& result,
                                                 const ductsys::BalanceRow& branch);

// "阀门 ζ 2.1：圆形蝶阀 转角 22°" (from fully open) or, beyond the damper's data, its reason.
QString damperText(const DamperSuggestion& suggestion);

} // namespace files
