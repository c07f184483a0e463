#include "ui/system_window/system_settings_panel.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "calc/roughness.h"
#include "ui/calculator/calculator_form.h"
#include "ui/core_text.h"
#include "ui/system_window/system_document.h"
#include "ui/tool_windows/tool_fields.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

namespace ui {

namespace {

QComboBox* createList(const char* name, const char* caption, const QStringList& entries) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QString::fromUtf8(caption));
    list->addItems(entries);
    return list;
}

// Shows a value unless the box already shows it, so that a box being typed into keeps its text.
void showValue(QDoubleSpinBox* box, double value) {
    if (shownValue(box) != QString::number(value, 'f', box->decimals()).toDouble()) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
}

void showIndex(QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

// The K box offers a material's K as the calculator's bar steps it, 自定义 its own range; a
// material of fixed K shows it, greyed.
void showRoughnessRange(QDoubleSpinBox* box, std::size_t material) {
    const QSignalBlocker quiet(box);
    const bool bar = calc::hasRoughnessBar(material);
    box->setEnabled(bar || material == calc::customMaterial);
    if (!bar) {
        box->setDecimals(2);
        box->setRange(ductsys::roughnessRange.minimum, ductsys::roughnessRange.maximum);
        box->setSingleStep(1);
        return;
    }
    const calc::RoughnessBar& steps = calc::roughnessBars[material];
    box->setDecimals(int(std::lround(std::log10(steps.divisor))));
    box->setRange(steps.minimum / double(steps.divisor), steps.maximum / double(steps.divisor));
    box->setSingleStep(1 / double(steps.divisor));
}

// The K a value of the box stands for: the calculator's at that position of the material's
// bar, or the value itself for 自定义.
float roughnessOf(std::size_t material, double value) {
    return material == calc::customMaterial
               ? float(value)
               : calc::roughnessAtStep(
                     material, int(std::lround(value * calc::roughnessBars[material].divisor)));
}

// Why a value of the calculator's air is not taken, or nothing.
QString airRefusal(const char* caption, float value, ductsys::SettingRange range,
                   const char* unit) {
    if (range.holds(value)) {
        return {};
    }
    return QString::fromUtf8("计算器的%1 %2 %3 不在 %4 至 %5 %3 之间。")
        .arg(QString::fromUtf8(caption), plainText(value), QString::fromUtf8(unit),
             plainText(range.minimum), plainText(range.maximum));
}

} // namespace

SystemSettingsPanel::SystemSettingsPanel(SystemDocument* document, const CalculatorForm* calculator,
                                         QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , calculator_(calculator) {
    setObjectName(QStringLiteral("systemSettings"));
    const ductsys::Settings start;
    QStringList materials;
    for (const calc::Material& material : calc::materials) {
        materials << qString(material.name);
    }
    material_ = createList("systemRoughness", "材料", materials);
    roughness_ =
        numberInput("systemRoughnessK", "粗糙度 K mm", ductsys::roughnessRange, 2, start.roughness,
                    Roughness, [](auto& s, double v) { s.roughness = roughnessOf(s.material, v); });
    formula_ = createList("systemFormula", "公式",
                          {qString(calc::formulaName(calc::FrictionFormula::One)),
                           qString(calc::formulaName(calc::FrictionFormula::Two))});
    density_ = numberInput("systemDensity", "密度 kg/m3", ductsys::densityRange, 3, start.density,
                           Density, [](auto& s, double v) { s.density = float(v); });
    viscosity_ =
        numberInput("systemViscosity", "运动粘度 m2/s", ductsys::viscosityRange, 8, start.viscosity,
                    Viscosity, [](auto& s, double v) { s.viscosity = float(v); });
    auto* fromCalculator = new QPushButton(QString::fromUtf8("取计算器的空气"));
    fromCalculator->setObjectName(QStringLiteral("systemAirFromCalculator"));

    const std::array<const char*, 3> names{"systemVelocityMain", "systemVelocityBranch",
                                           "systemVelocityTerminal"};
    const std::array<const char*, 3> captions{"干管风速 m/s", "支管风速 m/s", "末端风速 m/s"};
    const std::array<Setting, 3> settings{MainVelocity, BranchVelocity, TerminalVelocity};
    for (std::size_t kind = 0; kind < 3; ++kind) {
        velocityLimits_[kind] = numberInput(
            names[kind], captions[kind], ductsys::velocityLimitRange, 1, start.velocityLimits[kind],
            settings[kind], [kind](auto& s, double v) { s.velocityLimits[kind] = v; });
    }
    maxFriction_ =
        numberInput("systemMaxFriction", "最大比摩阻 Pa/m", ductsys::maxFrictionRange, 2,
                    start.maxFriction, MaxFriction, [](auto& s, double v) { s.maxFriction = v; });
    maxFriction_->setSpecialValueText(QString::fromUtf8("不限"));
    maxAspect_ =
        numberInput("systemMaxAspect", "最大长宽比", ductsys::maxAspectRange, 1, start.maxAspect,
                    MaxAspect, [](auto& s, double v) { s.maxAspect = v; });
    maxAspect_->setSpecialValueText(QString::fromUtf8("不限"));
    balanceLimit_ = numberInput("systemBalanceLimit", "不平衡率限值 %", ductsys::balanceLimitRange,
                                1, start.balanceLimit, BalanceLimit,
                                [](auto& s, double v) { s.balanceLimit = v; });

    QFormLayout* wall = captionedForm({material_, roughness_, formula_});
    QFormLayout* air = captionedForm({density_, viscosity_});
    air->addRow(fromCalculator);
    QFormLayout* velocities =
        captionedForm({velocityLimits_[0], velocityLimits_[1], velocityLimits_[2]});
    QFormLayout* limits = captionedForm({maxFriction_, maxAspect_, balanceLimit_});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QFormLayout* form : {wall, air, velocities, limits}) {
        layout->addLayout(form);
    }
    layout->addStretch();

    connect(material_, &QComboBox::currentIndexChanged, this, [this](int index) {
        change(Material, [this, index](ductsys::Settings& s) {
            s.material = std::size_t(index);
            s.roughness = s.material == calc::customMaterial
                              ? float(shownValue(roughness_))
                              : calc::storedValue(calc::materials[s.material].roughnessText);
        });
    });
    connect(formula_, &QComboBox::currentIndexChanged, this, [this](int index) {
        change(Formula,
               [index](ductsys::Settings& s) { s.formula = calc::FrictionFormula(index); });
    });
    connect(fromCalculator, &QPushButton::clicked, this,
            &SystemSettingsPanel::takeAirFromCalculator);
    connect(document_, &SystemDocument::calculated, this, &SystemSettingsPanel::showSettings);
    showSettings();
}

QDoubleSpinBox*
SystemSettingsPanel::numberInput(const char* name, const char* caption, ductsys::SettingRange range,
                                 int decimals, double value, Setting setting,
                                 std::function<void(ductsys::Settings&, double)> store) {
    QDoubleSpinBox* input =
        createNumberInput(name, caption, range.minimum, range.maximum, decimals, value);
    connect(input, &QDoubleSpinBox::valueChanged, this, [this, input, setting, store] {
        change(setting, [input, store](ductsys::Settings& s) { store(s, shownValue(input)); });
    });
    return input;
}

void SystemSettingsPanel::change(Setting setting,
                                 const std::function<void(ductsys::Settings&)>& edit) {
    ductsys::Settings settings = document_->settings();
    edit(settings);
    document_->setSettings(settings, setting);
}

// The calculator's air exactly as it holds it, not as the boxes here round it; none of it
// where a value lies beyond what the boxes offer.
void SystemSettingsPanel::takeAirFromCalculator() {
    const calc::CalculatorState& air = calculator_->state();
    QStringList refusals{airRefusal("空气密度", air.dens, ductsys::densityRange, "kg/m3"),
                         airRefusal("运动粘度", air.visc, ductsys::viscosityRange, "m2/s")};
    refusals.removeAll(QString());
    if (!refusals.isEmpty()) {
        QMessageBox::warning(this, QString::fromUtf8("取计算器的空气"),
                             refusals.join(QLatin1Char('\n')) +
                                 QString::fromUtf8("\n未取用计算器的空气。"));
        return;
    }
    change(Air, [&air](ductsys::Settings& s) {
        s.density = air.dens;
        s.viscosity = air.visc;
    });
}

void SystemSettingsPanel::showSettings() {
    const ductsys::Settings& s = document_->settings();
    showIndex(material_, int(s.material));
    showIndex(formula_, int(s.formula));
    showRoughnessRange(roughness_, s.material);
    showValue(roughness_, s.roughness);
    showValue(density_, s.density);
    showValue(viscosity_, s.viscosity);
    for (std::size_t kind = 0; kind < 3; ++kind) {
        showValue(velocityLimits_[kind], s.velocityLimits[kind]);
    }
    showValue(maxFriction_, s.maxFriction);
    showValue(maxAspect_, s.maxAspect);
    showValue(balanceLimit_, s.balanceLimit);
}

} // namespace ui
