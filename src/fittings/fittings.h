#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

// Local loss coefficients of duct fittings: published tables and formulas, each with its
// source, read between table rows and referred to a segment's own velocity. No Qt; the
// library's data comes from readable files that the program embeds.
namespace fittings {

// Published values over one or two parameters. An unpublished cell is NaN.
struct Table {
    std::string rows;                        // the parameter of the rows
    std::vector<double> rowValues;           // ascending
    std::string columns;                     // empty for a table of one parameter
    std::vector<double> columnValues;        // ascending
    std::vector<std::vector<double>> values; // [row][column]; one column for one parameter
};

// A loss coefficient given by a formula rather than a table.
struct Formula {
    enum Kind {
        Constant,     // value
        Parameter,    // the parameter `of`, as typed
        BordaCarnot,  // (1 − of)², a sudden expansion's area ratio
        Exponential,  // exp(a + b·of), of within [minimum, maximum]
        PressureDrop, // the pressure drop `of` (Pa) at the flow `by` (m3/h) through the segment
    } kind = Constant;
    std::string of, by;
    double value = 0, a = 0, b = 0, minimum = 0, maximum = 0;
};

// How the velocity a coefficient is published on compares with the segment's.
struct VelocityRatio {
    enum Kind {
        One,               // published on the segment's own velocity
        Parameter,         // v_ref / v = of (an area ratio)
        Inverse,           // v_ref / v = 1 / of
        Quotient,          // v_ref / v = of / by (a branch: (Ab/Ac) / (Qb/Qc))
        InverseComplement, // v_ref / v = 1 / (1 − of) (a straight run as wide as the common)
    } kind = One;
    std::string of, by;
};

struct Parameter {
    std::string name; // with its unit, as shown: "R/D", "角度 °"
    double defaultValue = 0;
};

struct Fitting {
    std::string id;
    std::string name;
    std::string group; // 弯头, 变径, 三通, 阀门, 进出口
    std::string shape; // the duct shape it is for, empty for any
    std::string source;
    std::string reference; // the section whose velocity the coefficient is published on
    bool damper = false;
    std::vector<Parameter> parameters;
    std::optional<Table> table;
    std::optional<Formula> formula;
    std::optional<Table> factor; // multiplies the table's value, as an angle factor
    VelocityRatio velocityRatio;
};

using Library = std::vector<Fitting>;

// What a segment knows about itself for the coefficients that depend on it.
struct SegmentFlow {
    double area = 0;    // m2
    double density = 0; // kg/m3
};

struct Zeta {
    double published = 0; // on the reference velocity
    double ratio = 1;     // v_ref / v_segment
    double segment = 0;   // published · ratio², on the segment's velocity
    bool interpolated = false;
};

// The coefficient for the parameters' values (in the fitting's order), or why there is none
// (in Chinese): a value outside the table, an unpublished cell.
std::variant<Zeta, std::string> evaluate(const Fitting& fitting, const std::vector<double>& values,
                                         const SegmentFlow& segment = {});

// The value of a table at a point, and whether it lies between published rows or columns.
std::variant<std::pair<double, bool>, std::string> lookUp(const Table& table, double row,
                                                          double column = 0);

const Fitting* find(const Library& library, std::string_view id);

// The smallest angle at which a damper adds at least the coefficient, from its table or
// formula, or none where it cannot.
std::optional<double> damperAngle(const Fitting& damper, double zeta);

} // namespace fittings
