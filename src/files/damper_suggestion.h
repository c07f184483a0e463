#pragma once

#include "system/duct_system.h"

#include <QString>

namespace files {

// "阀门 ζ 2.1：圆形蝶阀 转角 22°" (from fully open) or, beyond the damper's data, its reason.
QString damperText(const ductsys::DamperSuggestion& suggestion);

} // namespace files
