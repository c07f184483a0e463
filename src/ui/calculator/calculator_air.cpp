// Air properties: density and viscosity boxes and the button restoring their defaults.

#include "calc/defaults.h"
#include "calc/number_text.h"
#include "ui/calculator/calculator_form.h"
#include "ui/core_text.h"

#include <QLineEdit>

namespace ui {

void CalculatorForm::densityChanged() {
    airPropertyChanged(
        densityBox_, state_.dens,
        QString::fromUtf8("空气密度不得小于等于0，点击确定按钮后重新输入空气密度！"));
}

void CalculatorForm::viscosityChanged() {
    airPropertyChanged(viscosityBox_, state_.visc,
                       QString::fromUtf8("空气运动粘滞系数不得小于等于0，"
                                         "点击确定按钮后重新输入空气运动粘滞系数！"));
}

void CalculatorForm::airPropertyChanged(QLineEdit* box, float& field, const QString& message) {
    // Stored on every change, before any test: the field always mirrors its box.
    field = static_cast<float>(calc::parseNumber(box->text().toStdString()));
    if (field < 0) {
        showError(message);
        // Runs this handler again, nested: the empty text stores 0 and ends quietly.
        box->clear();
        box->setFocus();
        return;
    }
    if (field == 0) {
        return;
    }
    recalculate();
}

void CalculatorForm::restoreAirDefaults() {
    densityBox_->setText(qString(calc::defaultDensityText));
    viscosityBox_->setText(qString(calc::defaultViscosityText));
    recalculate();
}

} // namespace ui
