#include "system/duct_system.h"

#include "calc/duct_run.h"
#include "calc/number_text.h"
#include "calc/sizing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace ductsys {

namespace {

using calc::DuctShape;

constexpr std::array<std::string_view, 3> kindNames{"干管", "支管", "末端支管"};
constexpr std::array<std::string_view, 3> shapeCells{"圆形", "矩形", "椭圆形"};

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& names,
                                   std::string_view cell) {
    const auto found = std::find(names.begin(), names.end(), trimmed(cell));
    return found == names.end() ? std::nullopt : std::optional(std::size_t(found - names.begin()));
}

// A size as typed for a shape: one positive size for a circle, two otherwise.
std::optional<calc::DuctSection> typedSection(DuctShape shape, std::string_view cell) {
    const auto sizes = sizeNumbers(cell);
    if (!sizes || (shape == DuctShape::Circular) != (sizes->size() == 1)) {
        return std::nullopt;
    }
    const double second = sizes->size() == 2 ? (*sizes)[1] : 0;
    return calc::DuctSection{shape, float((*sizes)[0]), float(second)};
}

std::string sizeCell(const calc::DuctSection& section) {
    std::string text = calc::formatPlain(section.first);
    if (section.shape != DuctShape::Circular) {
        text.append("×").append(calc::formatPlain(section.second));
    }
    return text;
}

// The tree the upstream cells describe: each segment's upstream and its downstream ones.
struct Tree {
    std::vector<std::vector<std::size_t>> downstream;
    std::vector<std::size_t> order; // from the fan outwards, each segment after its upstream
};

SegmentKind kindByPlace(const Tree& tree, const std::vector<SegmentResult>& results,
                        std::size_t i) {
    if (tree.downstream[i].empty()) {
        return SegmentKind::Terminal;
    }
    const auto upstream = results[i].upstream;
    if (!upstream) {
        return SegmentKind::Main;
    }
    // The main continues through the first segment after a main one.
    const bool continuesMain =
        results[*upstream].kind == SegmentKind::Main && tree.downstream[*upstream].front() == i;
    return continuesMain ? SegmentKind::Main : SegmentKind::Branch;
}

class Calculation {
public:
    Calculation(const std::vector<Segment>& segments, const Settings& settings,
                const fittings::Library& library)
        : segments_(segments)
        , settings_(settings)
        , library_(library)
        , results_(segments.size())
        , tree_(readTree())
        , flowKnown_(segments.size(), false)
        , reachable_(segments.size(), false) {}

    SystemResult run() {
        for (const std::size_t i : tree_.order) {
            readKind(i);
        }
        // Flows are summed from the outlets towards the fan.
        for (auto i = tree_.order.rbegin(); i != tree_.order.rend(); ++i) {
            readFlow(*i);
        }
        for (const std::size_t i : tree_.order) {
            computeSegment(i);
        }
        SystemResult system;
        system.segments = std::move(results_);
        summarise(system);
        return system;
    }

private:
    // Reads 编号 and 上游管段; a segment whose chain of upstream segments never reaches the fan
    // belongs to a loop and is left out of the tree.
    Tree readTree() {
        const auto& segments = segments_;
        auto& results = results_;
        std::unordered_map<std::string_view, std::size_t> byId;
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const std::string_view id = trimmed(segments[i].cells[Id]);
            if (id.empty()) {
                mark(i, Id, "缺少编号");
            } else if (!byId.emplace(id, i).second) {
                mark(i, Id, "编号重复");
            }
        }
        Tree tree{std::vector<std::vector<std::size_t>>(segments.size()), {}};
        std::vector<std::size_t> roots;
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const std::string_view upstream = trimmed(segments[i].cells[Upstream]);
            if (upstream.empty()) {
                roots.push_back(i);
            } else if (const auto found = byId.find(upstream); found == byId.end()) {
                mark(i, Upstream, "上游管段不存在");
            } else {
                results[i].upstream = found->second;
                tree.downstream[found->second].push_back(i);
            }
        }
        // Depth first from the fan, so that every branch follows its upstream segment.
        std::vector<std::size_t> pending(roots.rbegin(), roots.rend());
        std::vector<bool> reached(segments.size(), false);
        while (!pending.empty()) {
            const std::size_t i = pending.back();
            pending.pop_back();
            reached[i] = true;
            tree.order.push_back(i);
            const auto& next = tree.downstream[i];
            for (auto child = next.rbegin(); child != next.rend(); ++child) {
                results[*child].depth = results[i].depth + 1;
                pending.push_back(*child);
            }
        }
        for (std::size_t i = 0; i < segments.size(); ++i) {
            if (!reached[i] && results[i].upstream) {
                if (inLoop(results, i)) {
                    mark(i, Upstream, "管段成环");
                } else {
                    mark(i, Upstream, "上游管段未接到风机", true);
                }
            }
        }
        return tree;
    }

    void mark(std::size_t i, Column column, std::string problem, bool elsewhere = false) {
        if (!results_[i].badColumn) {
            results_[i].badColumn = column;
            results_[i].problem = std::move(problem);
            results_[i].problemElsewhere = elsewhere;
        }
    }

    // A reason that starts with the column's name, as "风量应为数字".
    void markColumn(std::size_t i, Column column, const char* problem) {
        mark(i, column, std::string(columnName(column)) + problem);
    }

    const std::string& cell(std::size_t i, Column column) const {
        return segments_[i].cells[column];
    }

    // An optional number: empty reads as the fallback, anything else must be a number that
    // the calculator's floats can hold.
    std::optional<double> number(std::size_t i, Column column, double fallback, bool nonNegative) {
        if (trimmed(cell(i, column)).empty()) {
            return fallback;
        }
        const auto value = cellNumber(cell(i, column));
        if (!value) {
            markColumn(i, column, "应为数字");
        } else if (!std::isfinite(float(*value))) {
            markColumn(i, column, "超出可计算的范围");
        } else if (nonNegative && *value < 0) {
            markColumn(i, column, "应为不小于0的数");
        } else {
            return value;
        }
        return std::nullopt;
    }

    void readKind(std::size_t i) {
        SegmentResult& r = results_[i];
        r.kind = kindByPlace(tree_, results_, i);
        if (trimmed(cell(i, Kind)).empty()) {
            return;
        }
        if (const auto typed = indexOf(kindNames, cell(i, Kind))) {
            r.kind = SegmentKind(*typed);
        } else {
            mark(i, Kind, "类型应为干管、支管或末端支管");
        }
    }

    // The sum of the downstream segments' flows, when they are all known.
    std::optional<double> downstreamFlow(std::size_t i) const {
        double sum = 0;
        for (const std::size_t child : tree_.downstream[i]) {
            if (!flowKnown_[child]) {
                return std::nullopt;
            }
            sum += results_[child].flow;
        }
        return sum;
    }

    void readFlow(std::size_t i) {
        SegmentResult& r = results_[i];
        const bool terminal = tree_.downstream[i].empty();
        const auto sum = terminal ? std::optional(0.0) : downstreamFlow(i);
        if (!trimmed(cell(i, Flow)).empty()) {
            if (const auto flow = number(i, Flow, 0, true)) {
                r.flow = float(*flow);
                flowKnown_[i] = true;
                // Air does not appear in a duct: a typed flow below the outlets' is a slip,
                // but the engineer's figure is the one computed with.
                if (sum && r.flow < float(*sum)) {
                    r.warningColumn = Flow;
                    r.warning = "风量 " + calc::formatPlain(r.flow) + " 小于下游之和 " +
                                calc::formatPlain(float(*sum));
                }
            }
            return;
        }
        if (terminal) {
            mark(i, Flow, "末端管段需要风量");
        } else if (!sum) {
            mark(i, Flow, "下游管段的风量不全", true);
        } else if (!std::isfinite(float(*sum))) {
            mark(i, Flow, "风量之和超出可计算的范围");
        } else {
            r.flow = float(*sum);
            r.flowIsSum = true;
            flowKnown_[i] = true;
        }
    }

    calc::Duct duct(const calc::DuctSection& section, float flow) const {
        return {section,
                flow,
                settings_.roughness,
                settings_.formula,
                settings_.density,
                settings_.viscosity};
    }

    // The smallest standard size that meets the segment's limits; velocity is tried first,
    // from the area alone.
    std::optional<calc::DuctSection> autoSection(DuctShape shape, float flow,
                                                 SegmentKind kind) const {
        const double maxVelocity = settings_.velocityLimits[std::size_t(kind)];
        for (const calc::StandardSize& size : calc::standardSizes(shape)) {
            if (!calc::keepsAspect(size, settings_.maxAspect)) {
                continue;
            }
            if (maxVelocity > 0 && !(calc::velocityThrough(size.area, flow) <= maxVelocity)) {
                continue;
            }
            if (settings_.maxFriction <= 0 ||
                calc::evaluateDuct(duct(size.section, flow)).frictionLoss <=
                    settings_.maxFriction) {
                return size.section;
            }
        }
        return std::nullopt;
    }

    std::optional<calc::DuctSection> readSection(std::size_t i) {
        const auto shape = indexOf(shapeCells, cell(i, Shape));
        if (!shape) {
            mark(i, Shape, "形状应为圆形、矩形或椭圆形");
            return std::nullopt;
        }
        if (trimmed(cell(i, Size)) == autoSize) {
            if (!flowKnown_[i]) {
                return std::nullopt;
            }
            const auto section = autoSection(DuctShape(*shape), results_[i].flow, results_[i].kind);
            if (!section) {
                mark(i, Size, "没有满足条件的标准尺寸");
            }
            return section;
        }
        const auto section = typedSection(DuctShape(*shape), cell(i, Size));
        if (!section) {
            mark(i, Size, *shape == 0 ? "尺寸应为直径 mm" : "尺寸应为两边 mm，如 630×250");
            return std::nullopt;
        }
        // A size the calculator's floats hold as a positive number.
        const auto holds = [](float size) { return std::isfinite(size) && size > 0; };
        if (!holds(section->first) || (section->shape != DuctShape::Circular && !holds(section->second))) {
            markColumn(i, Size, "超出可计算的范围");
            return std::nullopt;
        }
        return section;
    }

    void computeSegment(std::size_t i) {
        SegmentResult& r = results_[i];
        const auto section = readSection(i);
        const auto length = number(i, Length, 0, true);
        const auto zeta = number(i, Zeta, 0, false);
        // A terminal's pressure drop is a loss; Σζ may be negative, as for some junctions.
        const auto terminalLoss = number(i, TerminalLoss, 0, true);
        if (!section || !flowKnown_[i] || !length || !zeta || !terminalLoss) {
            return;
        }
        r.computed = true;
        r.section = *section;
        r.sizeText = sizeCell(*section);
        r.figures = calc::evaluateDuct(duct(*section, r.flow));
        const calc::DuctRunLoss run =
            calc::ductRunLoss(r.figures.frictionLoss, r.figures.dynamicPressure, *length, *zeta);
        r.friction = run.friction;
        r.local = run.local;
        r.total = run.total + *terminalLoss;
        r.overVelocity = r.figures.velocity > velocityMaxima[std::size_t(r.kind)];
        const bool atFan = !r.upstream;
        if (atFan || reachable_[*r.upstream]) {
            r.cumulative = (atFan ? 0 : results_[*r.upstream].cumulative) + r.total;
            reachable_[i] = r.fromFan = true;
        }
    }

    void summarise(SystemResult& system) const {
        auto& results = system.segments;
        const auto worstBelow = worstLossesBelow(results);
        for (const std::size_t i : tree_.order) {
            balance(i, worstBelow, system);
        }
        // Grouped by branch point, in the order of the table.
        std::stable_sort(system.balance.begin(), system.balance.end(),
                         [](const BalanceRow& a, const BalanceRow& b) {
                             return a.branchPoint < b.branchPoint;
                         });
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (results[i].badColumn || !results[i].fromFan) {
                system.incomplete.push_back(i);
            }
            if (results[i].warningColumn) {
                system.warnings.push_back(i);
            }
        }
        system.firstProblem = firstProblem(results, system.incomplete);
        system.totalFlow = totalFlow(results);
        system.branchesOverLimit = int(std::count_if(
            results.begin(), results.end(), [](const SegmentResult& r) { return r.overBalance; }));
        if (!system.complete()) {
            return;
        }
        // The outlet with the largest loss, the first in table order on a tie.
        std::optional<std::size_t> critical;
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (tree_.downstream[i].empty() &&
                (!critical || results[i].cumulative > results[*critical].cumulative)) {
                critical = i;
            }
        }
        for (auto i = critical; i; i = results[*i].upstream) {
            results[*i].onCriticalPath = true;
            system.criticalPath.insert(system.criticalPath.begin(), *i);
        }
        if (critical) {
            system.fanPressure = results[*critical].cumulative;
        }
    }

    // The segment to name first: one whose own cell is at fault, else any with a bad cell.
    static std::optional<std::size_t> firstProblem(const std::vector<SegmentResult>& results,
                                                   const std::vector<std::size_t>& incomplete) {
        std::optional<std::size_t> first;
        for (const std::size_t i : incomplete) {
            if (results[i].badColumn && !results[i].problemElsewhere) {
                return i;
            }
            if (!first && results[i].badColumn) {
                first = i;
            }
        }
        return first || incomplete.empty() ? first : std::optional(incomplete.front());
    }

    std::optional<double> totalFlow(const std::vector<SegmentResult>& results) const {
        if (tree_.order.size() != results.size()) {
            return std::nullopt; // a segment not connected to the fan carries air too
        }
        double total = 0;
        for (const std::size_t i : tree_.order) {
            if (!results[i].upstream) {
                if (!flowKnown_[i]) {
                    return std::nullopt;
                }
                total += results[i].flow;
            }
        }
        return total;
    }

    // The largest cumulative loss at an outlet below each segment, from the outlets in; known
    // only where every outlet below is, since the one not known may be the largest.
    std::vector<std::optional<double>>
    worstLossesBelow(const std::vector<SegmentResult>& results) const {
        std::vector<std::optional<double>> worst(results.size());
        for (auto it = tree_.order.rbegin(); it != tree_.order.rend(); ++it) {
            const std::size_t i = *it;
            const auto& next = tree_.downstream[i];
            if (next.empty()) {
                worst[i] = reachable_[i] ? std::optional(results[i].cumulative) : std::nullopt;
                continue;
            }
            std::optional<double> largest = worst[next.front()];
            for (const std::size_t child : next) {
                largest = worst[child] && largest ? std::max(*largest, *worst[child])
                                                  : std::optional<double>();
            }
            worst[i] = largest;
        }
        return worst;
    }

    // At a segment with two or more downstream branches, each branch's loss is the largest
    // from there to an outlet through it; its imbalance is how far it falls short of the
    // largest sibling, known when every sibling's loss is.
    void balance(std::size_t i, const std::vector<std::optional<double>>& worstBelow,
                 SystemResult& system) const {
        auto& results = system.segments;
        const auto& next = tree_.downstream[i];
        if (next.size() < 2 || !worstBelow[i]) {
            return;
        }
        const double start = results[i].cumulative;
        const double largest = *worstBelow[i] - start;
        if (!(largest > 0)) {
            return;
        }
        for (const std::size_t child : next) {
            const double loss = *worstBelow[child] - start;
            const double imbalance = (largest - loss) / largest * 100;
            SegmentResult& branch = results[child];
            branch.imbalance = imbalance;
            branch.branchLoss = loss;
            branch.overBalance = imbalance > settings_.balanceLimit;
            system.balance.push_back({i, child, loss, largest, imbalance, branch.overBalance,
                                      branch.overBalance ? damperFor(branch, largest - loss)
                                                         : std::nullopt});
        }
    }

    // The damper that adds the pressure at the branch's first segment, on its velocity.
    std::optional<DamperSuggestion> damperFor(const SegmentResult& first, double pressure) const {
        if (!first.computed || !(first.figures.dynamicPressure > 0)) {
            return std::nullopt;
        }
        DamperSuggestion suggestion{pressure, pressure / first.figures.dynamicPressure, nullptr, {}};
        suggestion.damper = libraryDamper(first.section.shape);
        if (suggestion.damper) {
            suggestion.angle = fittings::damperAngle(*suggestion.damper, suggestion.zeta);
        }
        return suggestion;
    }

    // The library's damper for a shape; an elliptic duct, for which none is made, takes the
    // rectangular one, whose blades fit its flat sides.
    const fittings::Fitting* libraryDamper(DuctShape shape) const {
        const std::string_view wanted =
            shapeCell(shape == DuctShape::Elliptic ? DuctShape::Rectangular : shape);
        const auto found = std::find_if(library_.begin(), library_.end(), [&](const auto& fitting) {
            return fitting.damper && fitting.shape == wanted;
        });
        return found == library_.end() ? nullptr : &*found;
    }

    const std::vector<Segment>& segments_;
    const Settings& settings_;
    const fittings::Library& library_;
    std::vector<SegmentResult> results_;
    Tree tree_;
    std::vector<bool> flowKnown_;
    std::vector<bool> reachable_;
};

} // namespace

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Unlike the calculator's boxes, which read the leading number of whatever is typed, a
// table cell with anything else is refused.
std::optional<double> cellNumber(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<SegmentKind> kindOf(std::string_view cell) {
    const auto index = indexOf(kindNames, cell);
    return index ? std::optional(SegmentKind(*index)) : std::nullopt;
}

std::optional<calc::DuctShape> shapeOf(std::string_view cell) {
    const auto index = indexOf(shapeCells, cell);
    return index ? std::optional(DuctShape(*index)) : std::nullopt;
}

std::optional<std::vector<double>> sizeNumbers(std::string_view cell) {
    const std::string_view text = trimmed(cell);
    for (const std::string_view times : {"×", "x", "X", "*"}) {
        if (const auto at = text.find(times); at != std::string_view::npos) {
            const auto first = cellNumber(text.substr(0, at));
            const auto second = cellNumber(text.substr(at + times.size()));
            if (!first || !second || !(*first > 0) || !(*second > 0)) {
                return std::nullopt;
            }
            return std::vector{*first, *second};
        }
    }
    const auto only = cellNumber(text);
    return only && *only > 0 ? std::optional(std::vector{*only}) : std::nullopt;
}

std::vector<FittingEntry> typedFittings(std::string_view zetaCell) {
    const auto zeta = cellNumber(zetaCell);
    if (!zeta || *zeta == 0) {
        return {};
    }
    return {{std::string(customFitting), {{"ζ", *zeta}}, 1, *zeta}};
}

std::string zetaText(double zeta) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), zeta).ptr;
    return {text.data(), end};
}

std::string_view kindName(SegmentKind kind) {
    return kindNames[std::size_t(kind)];
}

std::string_view shapeCell(DuctShape shape) {
    return shapeCells[std::size_t(shape)];
}

bool inLoop(const std::vector<SegmentResult>& results, std::size_t row) {
    std::vector<bool> seen(results.size(), false);
    for (auto at = results[row].upstream; at && !seen[*at]; at = results[*at].upstream) {
        if (*at == row) {
            return true;
        }
        seen[*at] = true;
    }
    return false;
}

SystemResult calculate(const std::vector<Segment>& segments, const Settings& settings,
                       const fittings::Library& library) {
    return Calculation(segments, settings, library).run();
}

} // namespace ductsys
