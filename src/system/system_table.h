#pragma once

#include "system/duct_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The duct system as its table shows it, for the window, the exports and the command line
// alike: the input columns, then the computed figures.
namespace ductsys {

// The computed columns, after the input columns.
enum Computed {
    EquivalentDiameter,
    Velocity,
    FrictionLoss,
    DynamicPressure,
    Friction,
    Local,
    Total,
    Cumulative,
    Imbalance,
    ComputedCount
};

inline constexpr int tableColumnCount = int(ColumnCount) + int(ComputedCount);

constexpr int computedColumn(Computed computed) {
    return int(ColumnCount) + int(computed);
}

// How every output shows a column: its name and unit, and whether its cells are numbers,
// which a workbook holds as numbers, or texts; numbers and sizes line up on the right.
struct TableColumn {
    std::string_view name; // without the unit
    std::string_view unit; // empty for none
    bool numeric;
    bool alignRight;
};
const TableColumn& tableColumn(int column);

// A column's header: its name and unit, as "风量 m3/h".
std::string columnHeader(int column);

// A figure as the calculator's tables show it: its result text without the leading blank;
// nothing for a figure that is not known.
std::string figureText(double value);
std::string figureText(std::optional<double> value);

// What a cell shows: an input as typed, with what the calculation made of an empty or
// automatic input in its place or beside it; a computed figure, or nothing where the
// segment could not be computed. The 编号 is shown as typed; the window indents it.
std::string shownText(const std::vector<Segment>& segments, const SystemResult& result,
                      std::size_t row, int column);

// The 编号 of the critical path's segments from the fan, and of the branches over the
// balance limit.
std::vector<std::string> criticalPathIds(const std::vector<Segment>& segments,
                                         const SystemResult& result);
std::vector<std::string> overBalanceIds(const std::vector<Segment>& segments,
                                        const SystemResult& result);

// A segment as a reason names it: "管段 6", or "第 3 行的管段" when it has no 编号.
std::string segmentName(const std::vector<Segment>& segments, std::size_t row);
// Why a segment of an incomplete system has no result: "管段 6 的风量应为数字".
std::string problemText(const std::vector<Segment>& segments, const SystemResult& result,
                        std::size_t row);
// "计算不完整：2 个管段无法计算（第一个：管段 6 的风量应为数字）"; empty when complete.
std::string incompleteText(const std::vector<Segment>& segments, const SystemResult& result);
// The same with the 编号 of every segment left out, as a sheet of the system is marked.
std::string incompleteNotice(const std::vector<Segment>& segments, const SystemResult& result);
// "警告：管段 2 的风量 1000 小于下游之和 1500" and how many more; empty without warnings.
std::string warningsText(const std::vector<Segment>& segments, const SystemResult& result);

// The rows as the table shows the tree, each segment below its upstream segment, siblings
// in the order they were entered; a part that cannot be connected to the fan starts at its
// own first row. For each row, the levels of tree lines drawn in front of its 编号: one per
// level below the top, true where the line goes on below the row (the last level: whether
// a later sibling follows).
struct OutlineRow {
    std::size_t segment;
    std::vector<bool> lines;
};
std::vector<OutlineRow> outline(const SystemResult& result);


} // namespace ductsys
