#pragma once

#include "calc/defaults.h"
#include "calc/duct_evaluation.h"
#include "fittings/fittings.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A duct system: segments from the fan to every outlet, each a duct with its own shape,
// size and flow. The inputs are kept as the user typed them; the calculation reads them,
// marks what it cannot read and computes the rest with the calculator's numeric core.
namespace ductsys {

// The input columns of a segment, in table order.
enum Column {
    Id,           // 编号, unique
    Upstream,     // 上游管段: the 编号 it starts from, empty at the fan
    Kind,         // 类型: 干管 / 支管 / 末端支管, empty for its place in the tree
    Flow,         // 风量 m3/h, empty for the sum of its downstream segments
    Length,       // 长度 m
    Shape,        // 形状: 圆形 / 矩形 / 椭圆形
    Size,         // 尺寸 mm: "400", "630×250", or 自动
    Zeta,         // Σζ
    TerminalLoss, // 末端阻力 Pa
    Note,         // 备注
    ColumnCount
};

// A fitting of a segment as the fittings editor chose it: the library's id, its parameters
// by name, how many, and the coefficient of one on the segment's velocity.
struct FittingEntry {
    std::string id;
    std::vector<std::pair<std::string, double>> parameters;
    int count = 1;
    double zeta = 0;
    bool operator==(const FittingEntry&) const = default;
};

// The fitting a Σζ typed as a number stands for.
inline constexpr std::string_view customFitting = "custom";

struct Segment {
    std::array<std::string, ColumnCount> cells; // UTF-8, as typed
    // What a file held for the segment that this program does not know, as the text of a
    // JSON object, so that saving writes it back; empty for none.
    std::string unknownKeys;
    // The fittings whose coefficients make up the Σζ cell: empty, or one custom entry for a
    // number typed into it.
    std::vector<FittingEntry> fittings;
};

// The fittings a Σζ cell typed as it is stands for: one custom entry for a number other
// than 0, none otherwise.
std::vector<FittingEntry> typedFittings(std::string_view zetaCell);
// The text of a Σζ cell for a sum of coefficients: the shortest that reads back to it.
std::string zetaText(double zeta);

enum class SegmentKind { Main, Branch, Terminal };

// The captions of the kinds and shapes in the cells, and an input column's name without its
// unit, as reasons name it.
std::string_view kindName(SegmentKind kind);
std::string_view columnName(Column column);
std::string_view shapeCell(calc::DuctShape shape);
// The size cell that asks for the smallest standard size meeting the limits.
inline constexpr std::string_view autoSize = "自动";

// The cells read as the calculation reads them: blanks around a cell do not count; a number
// is the whole cell; a size is one or two positive numbers in mm ("400", "630×250", also
// with x, X or *).
std::string_view trimmed(std::string_view cell);
std::optional<double> cellNumber(std::string_view cell);
std::optional<SegmentKind> kindOf(std::string_view cell);
std::optional<calc::DuctShape> shapeOf(std::string_view cell);
std::optional<std::vector<double>> sizeNumbers(std::string_view cell);

struct Settings {
    std::size_t material = calc::defaultMaterial; // index into calc::materials
    float roughness = calc::storedValue(calc::materials[material].roughnessText); // K, mm
    calc::FrictionFormula formula = calc::defaultFormula;
    float density = calc::storedValue(calc::defaultDensityText);     // kg/m3
    float viscosity = calc::storedValue(calc::defaultViscosityText); // kinematic, m2/s
    // Velocity limits for sizing, by kind (main, branch, terminal), m/s: the upper
    // recommended values for low-velocity ducts in public buildings.
    std::array<double, 3> velocityLimits{6.5, 4.5, 3.5};
    double maxFriction = 0;   // Pa/m; 0 is off
    double maxAspect = 4;     // long side / short side; 0 is off
    double balanceLimit = 15; // %
};

// The values a setting may take, as the settings offer them and a file is checked against.
struct SettingRange {
    double minimum;
    double maximum;
    // For a setting held as a float: the float nearest a bound is on it, as the float a
    // box stores for "0.000001" lies just below 1e-6.
    constexpr bool holds(float value) const {
        return value >= float(minimum) && value <= float(maximum);
    }
};
inline constexpr SettingRange roughnessRange{0.01, 10};   // K of 自定义, mm
inline constexpr SettingRange densityRange{0.1, 10};      // kg/m3
inline constexpr SettingRange viscosityRange{1e-6, 1e-3}; // kinematic, m2/s
inline constexpr SettingRange velocityLimitRange{0.5, 30};
inline constexpr SettingRange maxFrictionRange{0, 100};
inline constexpr SettingRange maxAspectRange{0, 40};
inline constexpr SettingRange balanceLimitRange{1, 100};

// The velocities a segment of a kind must not exceed, m/s.
inline constexpr std::array<double, 3> velocityMaxima{8, 6.5, 6};

struct SegmentResult {
    // The first unreadable input and why, in Chinese; the rest of the segment is computed
    // where it can be. A problem that follows from another segment's (a sum of flows not
    // all known, an upstream segment that is not connected) is not the one to fix first.
    std::optional<Column> badColumn;
    std::string problem;
    bool problemElsewhere = false;
    // An input that is read but disagrees with the rest of the system, and why; the
    // segment computes with it as typed.
    std::optional<Column> warningColumn;
    std::string warning;

    std::optional<std::size_t> upstream; // index of the upstream segment
    int depth = 0;                       // 0 at the fan
    SegmentKind kind = SegmentKind::Terminal;
    bool flowIsSum = false;
    bool computed = false; // shape, size and flow were read: the figures below hold
    float flow = 0;        // m3/h
    calc::DuctSection section;
    calc::DuctFigures figures;
    std::string sizeText;             // the size used, as a size cell shows it
    double friction = 0;              // R L, Pa
    double local = 0;                 // Z = sum of zeta times Pd, Pa
    double total = 0;                 // R L + Z + terminal loss, Pa
    double cumulative = 0;            // from the fan to the segment's end, Pa
    bool fromFan = false;             // every segment from the fan to it computed: cumulative holds
    std::optional<double> imbalance;  // %, on a branch's first segment
    std::optional<double> branchLoss; // Pa, from the branch point to its farthest outlet
    bool overBalance = false;
    bool overVelocity = false; // above the maximum for its kind
    bool onCriticalPath = false;
};

// What brings a branch over the balance limit level with its largest sibling: the pressure
// to add at its first segment, the ζ of a damper there (that pressure over the segment's
// dynamic pressure), and the damper's angle from fully open that gives it, from the
// library's damper for the segment's shape.
struct DamperSuggestion {
    double pressure = 0; // Pa
    double zeta = 0;
    const fittings::Fitting* damper = nullptr; // none where the library has none
    std::optional<double> angle;               // degrees; none beyond the damper's data
};

// A branch at a point where branches part, as the balance tables list it.
struct BalanceRow {
    std::size_t branchPoint; // the segment the branches start from
    std::size_t branch;      // the branch's first segment
    double loss;             // Pa, from the branch point to the branch's farthest outlet
    double largest;          // Pa, the largest such loss of the branches from the point
    double imbalance;        // %
    bool overLimit;
    std::optional<DamperSuggestion> damper; // for a branch over the limit
};

struct SystemResult {
    std::vector<SegmentResult> segments; // in the order of the inputs
    // The segments with a bad cell or no loss from the fan, in table order, and the one
    // whose problem explains the others best. Any of them makes the system incomplete:
    // its critical path and fan pressure are not known then.
    std::vector<std::size_t> incomplete;
    std::optional<std::size_t> firstProblem;
    std::vector<std::size_t> warnings;     // the segments with a warning, in table order
    std::vector<std::size_t> criticalPath; // from the fan to its terminal
    // Every branch where branches part, grouped by branch point in table order.
    std::vector<BalanceRow> balance;
    std::optional<double> fanPressure;     // the critical path's loss, Pa
    // The flows at the fan, m3/h: known when every segment at the fan has one and every
    // segment is connected to it.
    std::optional<double> totalFlow;
    int branchesOverLimit = 0;

    bool complete() const { return incomplete.empty(); }
};

// The dampers a branch over the balance limit is given are the library's.
SystemResult calculate(const std::vector<Segment>& segments, const Settings& settings,
                       const fittings::Library& library = {});

// Whether the chain of upstream segments from a segment comes back to it.
bool inLoop(const std::vector<SegmentResult>& results, std::size_t row);

} // namespace ductsys
