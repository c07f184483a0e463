#include "ui/tool_windows/air_state_dialog.h"

#include "ui/calculator/calculator_form.h"
#include "ui/tool_windows/tool_fields.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

namespace ui {

namespace {

// Sites up to 6000 m, and the highest barometer readings at sea level.
constexpr double highestAltitude = 6000; // m
constexpr double highestPressure = 110;  // kPa

bool acceptedByTheCalculator(double value) {
    const auto stored = static_cast<float>(value);
    return std::isfinite(stored) && stored > 0.0f;
}

} // namespace

AirStateDialog::AirStateDialog(CalculatorForm* calculator, QWidget* parent)
    : QDialog(parent)
    , calculator_(calculator) {
    nameToolWindow(this, "AirStateDialog", "空气物性", calculator);

    // Each of pressure and altitude sets the other, so either range is the other's image in
    // the standard atmosphere: 6000 m has 47.181 kPa, and 110 kPa lies 698 m below sea level.
    temperature_ = createNumberInput("airTemperature", "温度 °C", -50, 300, 1, 20);
    pressure_ =
        createNumberInput("airPressure", "大气压力 kPa", calc::pressureAtAltitude(highestAltitude),
                          highestPressure, 3, calc::seaLevelPressure);
    altitude_ = createNumberInput("airAltitude", "海拔高度 m",
                                  calc::altitudeAtPressure(highestPressure), highestAltitude, 0, 0);
    humidity_ = createNumberInput("airHumidity", "相对湿度 %", 0, 100, 0, 0);
    density_ = createValueOutput("airDensity", "密度 kg/m3");
    dynamicViscosity_ = createValueOutput("airDynamicViscosity", "动力粘度 Pa·s");
    viscosity_ = createValueOutput("airViscosity", "运动粘度 m2/s");
    auto* note = new QLabel(QString::fromUtf8("干空气与水蒸气按理想气体计；\n"
                                              "湿空气的粘度取同温度干空气的粘度。"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* apply = buttons->addButton(QString::fromUtf8("应用"), QDialogButtonBox::ApplyRole);
    apply->setObjectName(QStringLiteral("airApply"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(QString::fromUtf8("关闭"));
    close->setObjectName(QStringLiteral("airClose"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(captionedForm(
        {temperature_, pressure_, altitude_, humidity_, density_, dynamicViscosity_, viscosity_}));
    layout->addWidget(note);
    layout->addWidget(buttons);
    // Only a button inside the dialog becomes its default: set earlier, the dialog would not
    // return to it once the focus had been on another button and left.
    apply->setDefault(true);
    setTabOrder(humidity_, apply);
    setTabOrder(apply, close);

    connect(pressure_, &QDoubleSpinBox::valueChanged, this, [this](double pressure) {
        const QSignalBlocker quiet(altitude_);
        altitude_->setValue(calc::altitudeAtPressure(pressure));
        refresh();
    });
    connect(altitude_, &QDoubleSpinBox::valueChanged, this, [this](double altitude) {
        const QSignalBlocker quiet(pressure_);
        pressure_->setValue(calc::pressureAtAltitude(altitude));
        refresh();
    });
    for (QDoubleSpinBox* input : {temperature_, humidity_}) {
        connect(input, &QDoubleSpinBox::valueChanged, this, &AirStateDialog::refresh);
    }
    connect(apply, &QPushButton::clicked, this, &AirStateDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refresh();
}

// The pressure box holds what the density uses: an altitude counts as the pressure shown.
calc::AirProperties AirStateDialog::properties() const {
    return calc::airProperties(temperature_->value(), pressure_->value(), humidity_->value());
}

void AirStateDialog::refresh() {
    const calc::AirProperties air = properties();
    density_->setText(plainText(air.density));
    dynamicViscosity_->setText(plainText(air.dynamicViscosity));
    viscosity_->setText(plainText(air.kinematicViscosity));
}

void AirStateDialog::apply() {
    const calc::AirProperties air = properties();
    // The input ranges keep both positive and finite; the calculator would refuse a negative
    // value with a message and leave an empty box for an infinite one.
    if (!acceptedByTheCalculator(air.density) || !acceptedByTheCalculator(air.kinematicViscosity)) {
        return;
    }
    calculator_->writeAir(plainText(air.density), plainText(air.kinematicViscosity));
}

} // namespace ui
