// Air flow: the flow box and its unit list.

#include "calc/flow_units.h"
#include "ui/calculator/calculator_form.h"

#include <QComboBox>
#include <QLineEdit>

namespace ui {

void CalculatorForm::flowUnitChosen() {
    if (const auto factor = calc::flowFactorOf(flowUnitList_->currentText().toStdString())) {
        state_.flowFactor = *factor;
    }
    recalculate();
}

void CalculatorForm::flowChanged() {
    readRefusingNegative(flowBox_,
                         QString::fromUtf8("空气流量不得小于0，点击确定按钮后重新输入空气流量！"));
    recalculate();
}

} // namespace ui
