#include "fittings/fittings.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <tuple>

namespace fittings {

namespace {

// Texts and numbers appended in turn: GCC 12 at -O3 warns falsely about overlaps in chains of
// std::string's operator+.
template <class... Parts> std::string joined(const Parts&... parts) {
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
}

// Where a value lies among ascending published ones: the two neighbours and the fraction of
// the way between them (the same neighbour twice on a published value).
struct Bracket {
    std::size_t low, high;
    double fraction;
};

std::variant<Bracket, std::string> bracket(const std::vector<double>& published, double value,
                                           const std::string& name) {
    if (!(value >= published.front() && value <= published.back())) {
        return joined(name, " 为 ", value, "，超出表格范围 ", published.front(), " 至 ",
                      published.back());
    }
    const auto high = std::size_t(std::lower_bound(published.begin(), published.end(), value) -
                                  published.begin());
    if (published[high] == value) {
        return Bracket{high, high, 0};
    }
    const std::size_t low = high - 1;
    return Bracket{low, high, (value - published[low]) / (published[high] - published[low])};
}

double between(double low, double high, double fraction) {
    return fraction == 0 ? low : low + (high - low) * fraction;
}

double valueOf(const Fitting& fitting, const std::vector<double>& values, const std::string& name) {
    for (std::size_t i = 0; i < fitting.parameters.size() && i < values.size(); ++i) {
        if (fitting.parameters[i].name == name) {
            return values[i];
        }
    }
    return std::nan("");
}

std::variant<double, std::string> formulaValue(const Formula& formula, const Fitting& fitting,
                                               const std::vector<double>& values,
                                               const SegmentFlow& segment) {
    const double of = valueOf(fitting, values, formula.of);
    switch (formula.kind) {
    case Formula::Constant:
        return formula.value;
    case Formula::Parameter:
        return of;
    case Formula::BordaCarnot:
        if (!(of > 0 && of <= 1)) {
            return joined(formula.of, " 应在 0 与 1 之间");
        }
        return (1 - of) * (1 - of);
    case Formula::Exponential:
        if (!(of >= formula.minimum && of <= formula.maximum)) {
            return joined(formula.of, " 为 ", of, "，超出适用范围 ", formula.minimum, " 至 ",
                          formula.maximum);
        }
        return std::exp(formula.a + formula.b * of);
    case Formula::PressureDrop: {
        const double flow = valueOf(fitting, values, formula.by);
        if (!(of >= 0 && flow > 0 && segment.area > 0 && segment.density > 0)) {
            return std::string("需要不小于 0 的压降、大于 0 的风量和本管段的断面");
        }
        const double velocity = flow / 3600 / segment.area;
        return of / (segment.density / 2 * velocity * velocity);
    }
    }
    return std::string();
}

std::variant<double, std::string> velocityRatio(const Fitting& fitting,
                                                const std::vector<double>& values) {
    const VelocityRatio& ratio = fitting.velocityRatio;
    const double of = valueOf(fitting, values, ratio.of);
    const double by = valueOf(fitting, values, ratio.by);
    const auto refuse = [&](const std::string& condition) {
        return joined("无法换算到本管段风速：", ratio.of, condition);
    };
    switch (ratio.kind) {
    case VelocityRatio::One:
        return 1.0;
    case VelocityRatio::Parameter:
        return of > 0 ? std::variant<double, std::string>(of) : refuse(" 应大于 0");
    case VelocityRatio::Inverse:
        return of > 0 ? std::variant<double, std::string>(1 / of) : refuse(" 应大于 0");
    case VelocityRatio::Quotient:
        return by > 0 && of > 0 ? std::variant<double, std::string>(of / by)
                                : refuse(joined(" 与 ", ratio.by, " 应大于 0"));
    case VelocityRatio::InverseComplement:
        return of < 1 ? std::variant<double, std::string>(1 / (1 - of)) : refuse(" 应小于 1");
    }
    return 1.0;
}

} // namespace

std::variant<std::pair<double, bool>, std::string> lookUp(const Table& table, double row,
                                                          double column) {
    const auto rows = bracket(table.rowValues, row, table.rows);
    if (const auto* refusal = std::get_if<std::string>(&rows)) {
        return *refusal;
    }
    Bracket columns{0, 0, 0};
    if (!table.columns.empty()) {
        const auto found = bracket(table.columnValues, column, table.columns);
        if (const auto* refusal = std::get_if<std::string>(&found)) {
            return *refusal;
        }
        columns = std::get<Bracket>(found);
    }
    const Bracket& r = std::get<Bracket>(rows);
    const auto& v = table.values;
    const double lowRow = between(v[r.low][columns.low], v[r.low][columns.high], columns.fraction);
    const double highRow =
        between(v[r.high][columns.low], v[r.high][columns.high], columns.fraction);
    const double value = between(lowRow, highRow, r.fraction);
    if (std::isnan(value)) {
        return std::string("表中没有这一组数值");
    }
    // Between equal neighbours, as over a span a table gives one value for, is no estimate.
    const auto differ = [&](std::size_t row) {
        return v[row][columns.low] != v[row][columns.high];
    };
    const bool interpolated = (columns.fraction != 0 && (differ(r.low) || differ(r.high))) ||
                              (r.fraction != 0 && lowRow != highRow);
    return std::pair{value, interpolated};
}

std::variant<Zeta, std::string> evaluate(const Fitting& fitting, const std::vector<double>& values,
                                         const SegmentFlow& segment) {
    Zeta zeta;
    if (fitting.table) {
        const Table& table = *fitting.table;
        const auto found =
            lookUp(table, valueOf(fitting, values, table.rows),
                   table.columns.empty() ? 0 : valueOf(fitting, values, table.columns));
        if (const auto* refusal = std::get_if<std::string>(&found)) {
            return *refusal;
        }
        std::tie(zeta.published, zeta.interpolated) = std::get<std::pair<double, bool>>(found);
    }
    if (fitting.formula) {
        const auto value = formulaValue(*fitting.formula, fitting, values, segment);
        if (const auto* refusal = std::get_if<std::string>(&value)) {
            return *refusal;
        }
        zeta.published = std::get<double>(value);
    }
    if (fitting.factor) {
        const auto factor = lookUp(*fitting.factor, valueOf(fitting, values, fitting.factor->rows));
        if (const auto* refusal = std::get_if<std::string>(&factor)) {
            return *refusal;
        }
        const auto [value, interpolated] = std::get<std::pair<double, bool>>(factor);
        zeta.published *= value;
        zeta.interpolated = zeta.interpolated || interpolated;
    }
    const auto ratio = velocityRatio(fitting, values);
    if (const auto* refusal = std::get_if<std::string>(&ratio)) {
        return *refusal;
    }
    zeta.ratio = std::get<double>(ratio);
    zeta.segment = zeta.published * zeta.ratio * zeta.ratio;
    return zeta;
}

const Fitting* find(const Library& library, std::string_view id) {
    const auto found = std::find_if(library.begin(), library.end(),
                                    [id](const Fitting& fitting) { return fitting.id == id; });
    return found == library.end() ? nullptr : &*found;
}

std::optional<double> damperAngle(const Fitting& damper, double zeta) {
    if (damper.formula && damper.formula->kind == Formula::Exponential) {
        const Formula& law = *damper.formula;
        const double angle = (std::log(zeta) - law.a) / law.b;
        return angle >= law.minimum && angle <= law.maximum ? std::optional(angle) : std::nullopt;
    }
    if (!damper.table) {
        return std::nullopt;
    }
    const auto& angles = damper.table->rowValues;
    const auto& values = damper.table->values;
    if (zeta <= values.front().front()) {
        return angles.front();
    }
    for (std::size_t i = 1; i < angles.size(); ++i) {
        const double low = values[i - 1].front();
        const double high = values[i].front();
        if (zeta <= high) {
            return angles[i - 1] + (angles[i] - angles[i - 1]) * (zeta - low) / (high - low);
        }
    }
    return std::nullopt;
}

} // namespace fittings
