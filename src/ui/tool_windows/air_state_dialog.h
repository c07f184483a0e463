#pragma once

#include "calc/air_properties.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

namespace ui {

class CalculatorForm;

// 空气物性: the density and viscosities of air at a temperature, an atmospheric pressure
// (or the altitude that has it in the standard atmosphere) and a relative humidity, live.
// Applying writes the density and kinematic viscosity into the calculator's own boxes.
class AirStateDialog : public QDialog {
    Q_OBJECT

public:
    AirStateDialog(CalculatorForm* calculator, QWidget* parent);

    // The properties at the conditions the inputs show.
    calc::AirProperties properties() const;
    // Writes the density and kinematic viscosity into the calculator's boxes, as shown.
    void apply();

private:
    void refresh();

    CalculatorForm* calculator_;
    QDoubleSpinBox* temperature_;
    QDoubleSpinBox* pressure_;
    QDoubleSpinBox* altitude_;
    QDoubleSpinBox* humidity_;
    QLabel* density_;
    QLabel* dynamicViscosity_;
    QLabel* viscosity_;
};

} // namespace ui
