#include "system/system_table.h"

#include "calc/number_text.h"
#include "calc/sizing.h"

#include <algorithm>
#include <array>

namespace ductsys {

namespace {

constexpr std::array<TableColumn, tableColumnCount> columns{{
    {"编号", "", false, false},
    {"上游管段", "", false, false},
    {"类型", "", false, false},
    {"风量", "m3/h", true, true},
    {"长度", "m", true, true},
    {"形状", "", false, false},
    {"尺寸", "", false, true},
    {"Σζ", "", true, true},
    {"末端阻力", "Pa", true, true},
    {"备注", "", false, false},
    {"当量直径", "m", true, true},
    {"风速", "m/s", true, true},
    {"比摩阻", "Pa/m", true, true},
    {"动压", "Pa", true, true},
    {"摩擦阻力 R·L", "Pa", true, true},
    {"局部阻力 Z", "Pa", true, true},
    {"管段阻力", "Pa", true, true},
    {"累计阻力", "Pa", true, true},
    {"不平衡率", "%", true, true},
}};

std::string computedText(const SegmentResult& result, Computed computed) {
    if (computed == Imbalance) {
        return result.imbalance ? figureText(*result.imbalance) : std::string();
    }
    // The sum from the fan is not known past a segment that could not be computed.
    if (!result.computed || (computed == Cumulative && !result.fromFan)) {
        return {};
    }
    const auto& figures = result.figures;
    const std::array<double, Imbalance> values{figures.equivalentDiameter,
                                               figures.velocity,
                                               figures.frictionLoss,
                                               figures.dynamicPressure,
                                               result.friction,
                                               result.local,
                                               result.total,
                                               result.cumulative};
    return figureText(values[std::size_t(computed)]);
}

bool madeByFittings(const Segment& segment) {
    return !segment.fittings.empty() && segment.fittings != typedFittings(segment.cells[Zeta]);
}

std::vector<std::string> idsOf(const std::vector<Segment>& segments,
                               const std::vector<std::size_t>& rows) {
    std::vector<std::string> ids;
    for (const std::size_t row : rows) {
        ids.push_back(segments[row].cells[Id]);
    }
    return ids;
}

} // namespace

const TableColumn& tableColumn(int column) {
    return columns[std::size_t(column)];
}

std::string_view columnName(Column column) {
    return columns[std::size_t(column)].name;
}

std::string columnHeader(int column) {
    const TableColumn& shown = tableColumn(column);
    std::string header(shown.name);
    return shown.unit.empty() ? header : header.append(" ").append(shown.unit);
}

std::string figureText(double value) {
    return calc::cellText(calc::formatResult(float(value)), "");
}

std::string figureText(std::optional<double> value) {
    return value ? figureText(*value) : std::string();
}

std::string shownText(const std::vector<Segment>& segments, const SystemResult& result,
                      std::size_t row, int column) {
    const SegmentResult& segment = result.segments[row];
    if (column >= ColumnCount) {
        return computedText(segment, Computed(column - ColumnCount));
    }
    const std::string& typed = segments[row].cells[std::size_t(column)];
    switch (column) {
    case Kind:
        return trimmed(typed).empty() ? std::string(kindName(segment.kind)) : typed;
    case Flow:
        return segment.flowIsSum ? figureText(segment.flow) : typed;
    case Zeta:
        // The fittings editor's exact sum, shown as the figures it goes into are.
        return madeByFittings(segments[row]) ? figureText(cellNumber(typed)) : typed;
    case Size:
        return segment.computed && trimmed(typed) == autoSize ? typed + ' ' + segment.sizeText
                                                              : typed;
    default:
        return typed;
    }
}

std::vector<std::string> criticalPathIds(const std::vector<Segment>& segments,
                                         const SystemResult& result) {
    return idsOf(segments, result.criticalPath);
}

std::vector<std::string> overBalanceIds(const std::vector<Segment>& segments,
                                        const SystemResult& result) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < result.segments.size(); ++row) {
        if (result.segments[row].overBalance) {
            rows.push_back(row);
        }
    }
    return idsOf(segments, rows);
}

std::string segmentName(const std::vector<Segment>& segments, std::size_t row) {
    const std::string id(trimmed(segments[row].cells[Id]));
    return id.empty() ? "第 " + std::to_string(row + 1) + " 行的管段" : "管段 " + id;
}

std::string problemText(const std::vector<Segment>& segments, const SystemResult& result,
                        std::size_t row) {
    const SegmentResult& segment = result.segments[row];
    const std::string name = segmentName(segments, row);
    if (!segment.badColumn) {
        return name + " 的上游管段无法计算";
    }
    // "管段 6 的风量应为数字", but "管段 6：末端管段需要风量".
    const bool namesColumn = segment.problem.starts_with(columnName(*segment.badColumn));
    return name + (namesColumn ? " 的" : "：") + segment.problem;
}

std::string incompleteText(const std::vector<Segment>& segments, const SystemResult& result) {
    if (result.complete()) {
        return {};
    }
    return "计算不完整：" + std::to_string(result.incomplete.size()) + " 个管段无法计算（第一个：" +
           problemText(segments, result, *result.firstProblem) + "）";
}

std::string incompleteNotice(const std::vector<Segment>& segments, const SystemResult& result) {
    if (result.complete()) {
        return {};
    }
    std::string ids;
    for (const std::size_t row : result.incomplete) {
        ids.append(ids.empty() ? "" : "、").append(segmentName(segments, row));
    }
    return incompleteText(segments, result) + "；未计入的管段：" + ids;
}

std::string warningsText(const std::vector<Segment>& segments, const SystemResult& result) {
    if (result.warnings.empty()) {
        return {};
    }
    const std::size_t first = result.warnings.front();
    std::string text =
        "警告：" + segmentName(segments, first) + " 的" + result.segments[first].warning;
    if (result.warnings.size() > 1) {
        text += "，另有 " + std::to_string(result.warnings.size() - 1) + " 处";
    }
    return text;
}

std::vector<OutlineRow> outline(const SystemResult& result) {
    const auto& segments = result.segments;
    std::vector<std::vector<std::size_t>> downstream(segments.size());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (segments[i].upstream) {
            downstream[*segments[i].upstream].push_back(i);
        }
    }
    std::vector<bool> visited(segments.size(), false);
    std::vector<OutlineRow> rows;
    const auto visit = [&](std::size_t top) {
        std::vector<OutlineRow> pending{{top, {}}};
        visited[top] = true;
        while (!pending.empty()) {
            OutlineRow row = std::move(pending.back());
            pending.pop_back();
            const auto& next = downstream[row.segment];
            // A child's lines are its upstream's, with its own level: whether a sibling follows.
            for (std::size_t k = next.size(); k-- > 0;) {
                if (!visited[next[k]]) {
                    visited[next[k]] = true;
                    std::vector<bool> lines = row.lines;
                    lines.push_back(k + 1 < next.size());
                    pending.push_back({next[k], std::move(lines)});
                }
            }
            rows.push_back(std::move(row));
        }
    };
    // A part below the fan, or one that cannot reach it, starts at its top row; a loop has no
    // top, so it starts at the first of its rows.
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (!visited[i] && (!segments[i].upstream || inLoop(segments, i))) {
            visit(i);
        }
    }
    return rows;
}

} // namespace ductsys
