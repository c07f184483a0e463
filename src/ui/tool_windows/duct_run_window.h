#pragma once

#include "system/duct_system.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <vector>

class QDoubleSpinBox;
class QLabel;

namespace ui {

class CalculatorForm;

// 管段阻力: the friction, local and total pressure loss of a duct run of some length and
// fittings, at the calculator's current duct and flow, refreshed on every recalculation.
class DuctRunWindow : public QWidget {
    Q_OBJECT

public:
    DuctRunWindow(CalculatorForm* calculator, QWidget* parent);

    // The run as caption and value text with its unit: length, sum of the local loss
    // coefficients, friction loss, local loss and total, as shown.
    QList<QPair<QString, QString>> reportRows() const;

private:
    void refresh();
    void editFittings();

    CalculatorForm* calculator_;
    QDoubleSpinBox* length_;
    QDoubleSpinBox* zeta_;
    QLabel* velocity_;
    QLabel* size_;
    QLabel* friction_;
    QLabel* local_;
    QLabel* total_;
    double zetaValue_ = 0;
    std::vector<ductsys::FittingEntry> fittings_;
};

} // namespace ui
