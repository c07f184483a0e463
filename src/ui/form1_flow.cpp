// Air flow: the flow box and its unit list.

#include "calc/flow_units.h"
#include "calc/number_text.h"
#include "ui/form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

namespace ui {

void Form1::Combo1_Click() {
    if (const auto factor = calc::flowFactorOf(Combo1->currentText().toStdString())) {
        state_.flowFactor = *factor;
    }
    v();
}

void Form1::Text1_Change() {
    state_.inVal = static_cast<float>(calc::parseNumber(Text1->text().toStdString()));
    if (state_.inVal < 0) {
        showError(QString::fromUtf8("空气流量不得小于0，点击确定按钮后重新输入空气流量！"));
        state_.inVal = std::fabs(state_.inVal);
        // Runs this handler again, nested, on the corrected text.
        Text1->setText(QString::fromStdString(calc::absoluteText(Text1->text().toStdString())));
        Text1->setFocus();
    }
    v();
}

} // namespace ui
