#include "calc/report.h"

#include "calc/colebrook_line.h"
#include "calc/number_text.h"
#include "calc/sizing.h"

namespace calc {

namespace {

// A number as it was read, as an input box would show it.
std::string plain(double x) {
    const std::string text = formatPlain(static_cast<float>(x));
    return text.empty() ? std::string(overflowText) : text;
}

std::string ductText(const CalculatorState& s, const RecalcInputs& in) {
    std::string text(shapeName(in.shape));
    switch (in.shape) {
    case DuctShape::Circular:
        text += " φ" + plain(s.diam);
        break;
    case DuctShape::Rectangular:
        text.append(" ").append(plain(s.rectLong)).append(" × ").append(plain(s.rectShort));
        break;
    case DuctShape::Elliptic:
        text.append(" ").append(plain(s.ellMajor)).append(" × ").append(plain(s.ellMinor));
        break;
    }
    return text + " mm" + (in.nonStandardSize ? "（非标尺寸）" : "");
}

} // namespace

Report report(const CalculatorState& s, const RecalcInputs& in, const ResultTexts& texts,
              const ReportNames& names) {
    Report sheet;
    sheet.inputs = {
        {"风量", plain(parseNumber(in.flowText)) + " " + names.flowUnit},
        {"风管", ductText(s, in)},
        {"材料", names.material + " K = " + plain(s.rough) + " mm"},
        {"阻力系数公式", std::string(formulaName(in.formula))},
        {"空气密度", plain(s.dens) + " kg/m3"},
        {"运动粘滞系数", plain(s.visc) + " m2/s"},
    };
    for (std::size_t row = 0; row < texts.size(); ++row) {
        sheet.results.push_back({names.resultCaptions[row], cellText(texts[row], "")});
    }
    sheet.reference = colebrookLine(s);
    return sheet;
}

} // namespace calc
