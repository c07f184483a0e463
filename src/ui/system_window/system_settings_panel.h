#pragma once

#include "system/duct_system.h"

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QDoubleSpinBox;

namespace ui {

class CalculatorForm;
class SystemDocument;

// The settings of a duct system: the wall's roughness, the friction formula, the air and the
// design limits. Every change is an undo step of the document; the fields follow the
// document when a change is undone.
class SystemSettingsPanel : public QWidget {
    Q_OBJECT

public:
    SystemSettingsPanel(SystemDocument* document, const CalculatorForm* calculator,
                        QWidget* parent = nullptr);

private:
    enum Setting {
        Material,
        Roughness,
        Formula,
        Density,
        Viscosity,
        MainVelocity,
        BranchVelocity,
        TerminalVelocity,
        MaxFriction,
        MaxAspect,
        BalanceLimit,
        Air
    };

    QDoubleSpinBox* numberInput(const char* name, const char* caption, ductsys::SettingRange range,
                                int decimals, double value, Setting setting,
                                std::function<void(ductsys::Settings&, double)> store);
    void change(Setting setting, const std::function<void(ductsys::Settings&)>& edit);
    void takeAirFromCalculator();
    void showSettings();

    SystemDocument* document_;
    const CalculatorForm* calculator_;
    QComboBox* material_;
    QDoubleSpinBox* roughness_;
    QComboBox* formula_;
    QDoubleSpinBox* density_;
    QDoubleSpinBox* viscosity_;
    std::array<QDoubleSpinBox*, 3> velocityLimits_;
    QDoubleSpinBox* maxFriction_;
    QDoubleSpinBox* maxAspect_;
    QDoubleSpinBox* balanceLimit_;
};

} // namespace ui
