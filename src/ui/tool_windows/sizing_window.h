#pragma once

#include "calc/sizing.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ui {

class CalculatorForm;
class SizingModel;

// 风管选型: every standard size of the calculator's shape for its current flow, roughness,
// formula and air, against design limits, refreshed on every recalculation. Applying a row
// picks that size in the calculator's own controls.
class SizingWindow : public QWidget {
    Q_OBJECT

public:
    SizingWindow(CalculatorForm* calculator, QWidget* parent);

    // Picks the current row's size in the calculator, or the first selected row's when the
    // current row is not selected.
    void applySelected();
    // The selected rows with the header, tab-separated, one line each.
    QString selectionText() const;

private:
    QDoubleSpinBox* createLimit(const char* name, const char* caption, double value, double maximum,
                                double step);
    void fitColumns();
    void refresh();
    void selectRow(int row);
    // The current row when it is selected, else the first selected row.
    std::optional<int> pickedRow() const;
    void applyRow(int row);
    void copySelection() const;

    CalculatorForm* calculator_;
    QDoubleSpinBox* maxVelocity_;
    QDoubleSpinBox* maxFriction_;
    QDoubleSpinBox* maxAspect_;
    QCheckBox* onlyMatching_;
    QLabel* conditions_;
    QTableView* table_;
    SizingModel* model_;
    QPushButton* apply_;
};

} // namespace ui
