#pragma once

#include "fittings/fittings.h"
#include "system/duct_system.h"

#include <QDialog>
#include <optional>
#include <variant>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace ui {

// A segment's fittings, chosen from the library: each with its parameters, how many, its ζ
// on the velocity it is published on and on the segment's, and its source. Σζ is their sum.
class FittingsDialog : public QDialog {
    Q_OBJECT

public:
    FittingsDialog(const QString& segment, std::vector<ductsys::FittingEntry> entries,
                   const fittings::SegmentFlow& flow, QWidget* parent);

    const std::vector<ductsys::FittingEntry>& entries() const { return entries_; }

private:
    const fittings::Fitting& chosen() const;
    std::variant<fittings::Zeta, std::string> evaluateChosen() const;
    QString publishedText(const fittings::Fitting* fitting,
                          const ductsys::FittingEntry& entry) const;
    void showParameters();
    void showZeta();
    void showEntries();
    // The fitting as the panel shows it, if it has a coefficient.
    std::optional<ductsys::FittingEntry> chosenEntry() const;
    void addChosen();
    void updateSelected();
    void removeSelected();
    // Shows the list's entry in the panel, to be changed and written back with 更新.
    void loadEntry(int row);

    std::vector<ductsys::FittingEntry> entries_;
    fittings::SegmentFlow flow_;
    QTableWidget* list_;
    QComboBox* type_;
    QFormLayout* parameters_;
    std::vector<QDoubleSpinBox*> boxes_;
    QSpinBox* count_;
    QLabel* zeta_;
    QPushButton* update_;
    QLabel* sum_;
};

} // namespace ui
