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

void CalculatorForm::materialChosen(int index) {
    if (index >= 0 && index < int(roughnessBoxes_.size())) {
        const float value = readNumber(roughnessBoxes_[index]);
        // A custom value left in its box is held to its range however the entry is chosen.
        state_.rough =
            index == int(calc::customMaterial) ? calc::limitedCustomRoughness(value) : value;
    }
    recalculate();
}

void CalculatorForm::roughnessBarMoved(int index) {
    roughnessBoxes_[index]->setText(QString::fromStdString(
        calc::roughnessStepText(std::size_t(index), roughnessBars_[index]->value())));
    flowBox_->setFocus();
    materialOptions_[index]->setChecked(true);
    state_.rough = readNumber(roughnessBoxes_[index]);
    recalculate();
}

void CalculatorForm::roughnessBoxClicked(int index) {
    materialOptions_[index]->setChecked(true);
    recalculate();
}

void CalculatorForm::customRoughnessChanged() {
    QLineEdit* customBox = roughnessBoxes_[calc::customMaterial];
    if (readRefusingNegative(customBox, QString::fromUtf8("表面粗糙度取值范围为0.01至10.00，"
                                                          "点击确定按钮后重新输入！")) == 0) {
        return; // an empty, zero or unreadable entry is ignored
    }
    materialOptions_[calc::customMaterial]->setChecked(true);
    state_.rough = calc::limitedCustomRoughness(readNumber(customBox));
    recalculate();
}

} // namespace ui
