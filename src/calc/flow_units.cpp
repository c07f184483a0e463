#include "calc/flow_units.h"

namespace calc {

std::optional<float> flowFactorOf(std::string_view entryText) {
    for (const FlowUnit& unit : flowUnits) {
        if (unit.text == entryText) {
            return unit.factor;
        }
    }
    return std::nullopt;
}

} // namespace calc
