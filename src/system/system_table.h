#pragma once

#include "system/duct_system.h"

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

// A column's header with its unit.
std::string_view columnHeader(int column);

// A figure as the calculator's tables show it: its result text without the leading blank.
std::string figureText(double value);

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

// A branch at a point where branches part, as the balance tables list it.
struct BalanceRow {
    std::size_t branchPoint; // the segment the branches start from
    std::size_t branch;      // the branch's first segment
    double loss;             // Pa, from the branch point to the branch's farthest outlet
    double largest;          // Pa, the largest such loss of the branches from the point
    double imbalance;        // %
    bool overLimit;
};
std::vector<BalanceRow> balanceRows(const SystemResult& result);

} // namespace ductsys
