// Air flow: the flow box and its unit list.

#include "calc/flow_units.h"
#include "ui/calculator/calculator_form.h"

#include <QComboBox>
#include <QLineEdit>

namespace ui {

void CalculatorForm::Combo1_Click() {
    if (const auto factor = calc::flowFactorOf(Combo1->currentText().toStdString())) {
        state_.flowFactor = *factor;
    }
    v();
}

void CalculatorForm::Text1_Change() {
    refuseNegative(Text1, QString::fromUtf8("空气流量不得小于0，点击确定按钮后重新输入空气流量！"));
    v();
}

} // namespace ui
