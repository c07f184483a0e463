// Roughness: the material options, their value boxes and scroll bars, the custom entry.

#include "calc/number_text.h"
#include "calc/roughness.h"
#include "ui/calculator/calculator_form.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace ui {

namespace {
float readNumber(const QLineEdit* box) {
    return static_cast<float>(calc::parseNumber(box->text().toStdString()));
}
} // namespace

void CalculatorForm::Option3_Click(int index) {
    if (index >= 0 && index < int(valueBoxes.size())) {
        const float value = readNumber(valueBoxes[index]);
        // A custom value left in its box is held to its range however the entry is chosen.
        state_.rough =
            index == int(calc::customRoughnessEntry) ? calc::limitedCustomRoughness(value) : value;
    }
    v();
}

void CalculatorForm::scrollBarChange(int index) {
    const double roughness =
        entryBars[index]->value() / double(calc::roughnessEntries[index].divisor);
    // The quotient is a short decimal ("0.15", "3.5", "6"): 7 significant digits keep it.
    valueBoxes[index]->setText(
        QString::fromStdString(calc::formatPlain(static_cast<float>(roughness))));
    Text1->setFocus();
    Option3[index]->setChecked(true);
    state_.rough = readNumber(valueBoxes[index]);
    v();
}

void CalculatorForm::valueBoxClick(int index) {
    Option3[index]->setChecked(true);
    v();
}

void CalculatorForm::Text13_Change() {
    QLineEdit* Text13 = valueBoxes[calc::customRoughnessEntry];
    if (!refuseNegative(Text13, QString::fromUtf8("表面粗糙度取值范围为0.01至10.00，"
                                                  "点击确定按钮后重新输入！")) &&
        state_.inVal == 0) {
        return; // an empty, zero or unreadable entry is ignored
    }
    Option3[calc::customRoughnessEntry]->setChecked(true);
    state_.rough = calc::limitedCustomRoughness(readNumber(Text13));
    v();
}

} // namespace ui
