#pragma once

#include "calc/calculator_state.h"
#include "calc/defaults.h"
#include "calc/recalculation.h"
#include "calc/report.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace ui {

class PictureBox;

// The calculator's one window. It owns the controls and the one CalculatorState; every
// input handler validates its control, stores what it owns in the state and recalculates.
//
// A write from code raises the control's handler exactly as the user's edit does; a write
// that changes nothing raises nothing; a handler may re-enter through its own correcting
// write. The controls keep their short object names (Text1, Combo2, Option3(0), ...), by
// which tests, tools and screen readers find them; other windows use the typed accessors.
class CalculatorForm : public QWidget {
    Q_OBJECT

public:
    explicit CalculatorForm(QWidget* parent = nullptr);

    const calc::CalculatorState& state() const { return state_; }

    // Recalculates every result from the controls and the state, and rewrites the value
    // labels of the results frame, top to bottom.
    void recalculate();

    // What the recalculation reads from the controls, and the result texts it last showed.
    calc::RecalcInputs recalcInputs() const;
    const calc::ResultTexts& results() const { return results_; }
    // The flow unit, material and result captions as the controls show them.
    calc::ReportNames reportNames() const;

    // Picks a standard size through the controls, as a user would: the lists instead of
    // typed sizes, the shape's option, then the entry of each of the shape's lists. Every
    // write that changes a control raises its handler.
    void pickStandardSize(calc::DuctShape shape,
                          const std::array<std::string_view, calc::SizeSlotCount>& listTexts);

    // Writes the air's density and kinematic viscosity into their boxes, as typing would.
    void writeAir(const QString& density, const QString& viscosity);

    // The value label of a result row, as shown.
    const QLabel& resultLabel(calc::ResultRow row) const {
        return *resultLabels_[calc::index(row)];
    }
    // The results frame, which offers the copy of the results on its context menu.
    QWidget* resultsFrame() const;
    // The picture of a formula, as shown.
    const PictureBox& formulaPicture(calc::FrictionFormula formula) const;
    // A tool tip for a result row, on its caption and its value.
    void setResultToolTip(calc::ResultRow row, const QString& tip);

signals:
    // After every recalculation, once the value labels show its results.
    void recalculated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (calculator_layout.cpp): controls in their created state.
    void createFlowFrame();
    void createSizeFrame();
    void createResultsFrame();
    void createRoughnessFrame();
    void createFormulaFrame();
    void createAirFrame();
    void setTabChain(const QWidgetList& chain);
    void connectHandlers();
    QRadioButton* shapeOption(calc::DuctShape shape) const;
    QRadioButton* formulaOption(calc::FrictionFormula formula) const;
    void connectListClick(QComboBox* list, void (CalculatorForm::*handler)());
    void selectByText(QComboBox* list, const QString& text);
    void startUp();

    void showError(const QString& message);
    float readRefusingNegative(QLineEdit* box, const QString& message);

    // Air flow (calculator_flow.cpp).
    void flowChanged();
    void flowUnitChosen();

    // Duct shape and size (calculator_size.cpp).
    void enableSizeControlsOf(calc::DuctShape shape);
    void shapeChosen(calc::DuctShape shape);
    void nonStandardSizeToggled();
    void sizeBoxChanged(calc::SizeSlot slot);

    // Roughness (calculator_roughness.cpp).
    void materialChosen(int index);
    void roughnessBarMoved(int index);
    void roughnessBoxClicked(int index);
    void customRoughnessChanged();

    // Air properties and formula (calculator_air.cpp).
    void densityChanged();
    void viscosityChanged();
    void airPropertyChanged(QLineEdit* box, float& field, const QString& message);
    void restoreAirDefaults();

    calc::CalculatorState state_;
    calc::ResultTexts results_;

    QGroupBox* resultsFrame_ = nullptr;

    QLineEdit* flowBox_ = nullptr;
    QComboBox* flowUnitList_ = nullptr;

    QCheckBox* nonStandardSize_ = nullptr;
    std::array<QRadioButton*, 3> shapeOptions_{}; // indexed by calc::DuctShape
    // The five size slots, indexed by calc::SizeSlot.
    std::array<QComboBox*, calc::SizeSlotCount> sizeLists_{}; // Combo2 .. Combo6
    std::array<QLineEdit*, calc::SizeSlotCount> sizeBoxes_{}; // Text2, Text3, Text4, Text14, Text15

    std::array<QRadioButton*, calc::materialCount> materialOptions_{};
    std::array<QLineEdit*, calc::materialCount> roughnessBoxes_{}; // Text5 .. Text13
    std::array<QScrollBar*, calc::materialCount> roughnessBars_{}; // the working bar, or none

    QRadioButton* formulaOneOption_ = nullptr;
    QRadioButton* formulaTwoOption_ = nullptr;
    PictureBox* formulaOneBox_ = nullptr;
    PictureBox* formulaTwoBox_ = nullptr;

    QLineEdit* densityBox_ = nullptr;
    QLineEdit* viscosityBox_ = nullptr;
    QPushButton* restoreAirButton_ = nullptr;

    QComboBox* listJustChanged_ = nullptr; // whose change awaits its activation

    // Indexed by calc::index(calc::ResultRow).
    std::array<QLabel*, calc::resultRowCount> resultCaptions_{};
    std::array<QLabel*, calc::resultRowCount> resultLabels_{};
    std::array<QString, calc::resultRowCount> resultNames_; // row captions, as read aloud
};

} // namespace ui
