#pragma once

#include "calc/calculator_state.h"
#include "calc/recalculation.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The calculator's inputs and results as caption/value pairs, for the copied results and the
// calculation sheet. UTF-8 throughout.
namespace calc {

struct ReportRow {
    std::string caption;
    std::string value;
};
using ReportRows = std::vector<ReportRow>;

// What only the window knows, as its controls show it.
struct ReportNames {
    std::string flowUnit;                                   // the unit list's entry
    std::string material;                                   // the selected roughness entry
    std::array<std::string, resultRowCount> resultCaptions; // without their spacing blanks
};

struct Report {
    ReportRows inputs;     // flow, duct, material and K, formula, density, viscosity
    ReportRows results;    // the ten results as shown, without a number's leading blank
    std::string reference; // the Colebrook-White line
};

Report report(const CalculatorState& state, const RecalcInputs& inputs, const ResultTexts& texts,
              const ReportNames& names);

} // namespace calc
