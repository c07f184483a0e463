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
// input handler validates its control, stores what it owns in the state and calls v().
//
// A write from code raises the control's handler exactly as the user's edit does; a write
// that changes nothing raises nothing; a handler may re-enter through its own correcting
// write. Controls keep their short names (Text1, Combo2, Option3(0), ...) both as members
// and as object names, so tests and tools find them by name.
class CalculatorForm : public QWidget {
    Q_OBJECT

public:
    explicit CalculatorForm(QWidget* parent = nullptr);

    const calc::CalculatorState& state() const { return state_; }

    // Recalculates every result from the controls and the state, and rewrites the value
    // labels of the results frame, top to bottom.
    void v();

    // What v() reads from the controls, and the result texts it last showed.
    calc::RecalcInputs recalcInputs() const;
    const calc::ResultTexts& results() const { return results_; }
    // The flow unit, material and result captions as the controls show them.
    calc::ReportNames reportNames() const;

    // Picks a standard size through the controls, as a user would: the lists instead of
    // typed sizes, the shape's option, then the entry of each of the shape's lists. Every
    // write that changes a control raises its handler.
    void pickStandardSize(calc::DuctShape shape,
                          const std::array<std::string_view, calc::SizeSlotCount>& listTexts);

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
    void connectListClick(QComboBox* list, void (CalculatorForm::*handler)());
    void selectByText(QComboBox* list, const QString& text);
    void startUp();

    void showError(const QString& message);
    bool refuseNegative(QLineEdit* box, const QString& message);

    // Air flow (calculator_flow.cpp).
    void Text1_Change();
    void Combo1_Click();

    // Duct shape and size (calculator_size.cpp).
    void enableSizeControlsOf(calc::DuctShape shape);
    void Option1_Click();
    void Option2_Click();
    void Option6_Click();
    void Check1_Click();
    void sizeBoxChange(calc::SizeSlot slot);

    // Roughness (calculator_roughness.cpp).
    void Option3_Click(int index);
    void scrollBarChange(int index);
    void valueBoxClick(int index);
    void Text13_Change();

    // Air properties and formula (calculator_air.cpp).
    void Text16_Change();
    void Text17_Change();
    void airPropertyChange(QLineEdit* box, float& field, const QString& message);
    void Command2_Click();

    calc::CalculatorState state_;
    calc::ResultTexts results_;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame6 = nullptr;

    QLineEdit* Text1 = nullptr;
    QComboBox* Combo1 = nullptr;

    QCheckBox* Check1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option6 = nullptr;
    // The five size slots, indexed by calc::SizeSlot.
    std::array<QComboBox*, calc::SizeSlotCount> sizeLists{}; // Combo2 .. Combo6
    std::array<QLineEdit*, calc::SizeSlotCount> sizeBoxes{}; // Text2, Text3, Text4, Text14, Text15

    std::array<QRadioButton*, calc::roughnessEntryCount> Option3{};
    std::array<QLineEdit*, calc::roughnessEntryCount> valueBoxes{}; // Text5 .. Text13
    std::array<QScrollBar*, calc::roughnessEntryCount> entryBars{}; // the working bar, or none

    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;

    QLineEdit* Text16 = nullptr;
    QLineEdit* Text17 = nullptr;
    QPushButton* Command2 = nullptr;

    QComboBox* listJustChanged = nullptr; // whose change awaits its activation

    // Indexed by calc::index(calc::ResultRow).
    std::array<QLabel*, calc::resultRowCount> valueLabels{};
    std::array<QString, calc::resultRowCount> resultNames; // row captions, as read aloud
};

} // namespace ui
