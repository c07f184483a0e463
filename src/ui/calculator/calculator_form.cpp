#include "ui/calculator/calculator_form.h"

#include "calc/calculator_state.h"
#include "calc/defaults.h"
#include "calc/flow_units.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "ui/core_text.h"
#include "ui/main_window/airliner_icon.h"
#include "ui/main_window/error_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace ui {

namespace {

// Replaces a list's items without running its handler and leaves nothing selected, so
// that selecting an entry afterwards is always a change (a QComboBox would otherwise
// select its first item by itself and signal it).
void fillList(QComboBox* list, std::span<const std::string_view> items) {
    QStringList texts;
    for (const std::string_view item : items) {
        texts << qString(item);
    }
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(texts);
    list->setCurrentIndex(-1);
}

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}
std::string text(const QComboBox* list) {
    return list->currentText().toStdString();
}

} // namespace

CalculatorForm::CalculatorForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8("风速计算"));
    setWindowIcon(airlinerIcon());
    // A 12-pixel CJK face fits every caption into the twip geometry at any screen scale;
    // its Latin letters are narrower than those of the common Western sans faces.
    QFont captionFont = font();
    captionFont.setFamilies({QStringLiteral("WenQuanYi Micro Hei"),
                             QStringLiteral("Microsoft YaHei"), QStringLiteral("PingFang SC"),
                             QStringLiteral("Noto Sans CJK SC"), captionFont.family()});
    captionFont.setPixelSize(12);
    setFont(captionFont);
    setFixedSize(697, 442); // 10452 x 6624 twips

    createRoughnessFrame();
    createSizeFrame();
    createResultsFrame();
    createFlowFrame();
    createFormulaFrame();
    createAirFrame();
    // The order in which the Tab key visits the controls.
    QWidgetList tabChain;
    tabChain << flowBox_ << flowUnitList_ << shapeOption(calc::DuctShape::Circular)
             << shapeOption(calc::DuctShape::Rectangular) << nonStandardSize_
             << sizeBoxes_[calc::Diameter] << sizeBoxes_[calc::LongSide]
             << sizeBoxes_[calc::ShortSide] << sizeLists_[calc::Diameter]
             << sizeLists_[calc::LongSide] << sizeLists_[calc::ShortSide] << materialOptions_[0]
             << roughnessBoxes_[0] << roughnessBars_[0] << materialOptions_[1]
             << materialOptions_[2] << materialOptions_[3] << materialOptions_[4]
             << materialOptions_[5] << roughnessBoxes_[1] << roughnessBars_[1] << roughnessBoxes_[2]
             << roughnessBoxes_[3] << roughnessBoxes_[4] << roughnessBoxes_[5] << roughnessBars_[5]
             << materialOptions_[6] << materialOptions_[7] << materialOptions_[8]
             << roughnessBoxes_[6] << roughnessBoxes_[7] << roughnessBoxes_[8] << roughnessBars_[6]
             << roughnessBars_[7] << formulaOneOption_ << formulaTwoOption_
             << shapeOption(calc::DuctShape::Elliptic) << sizeLists_[calc::MajorAxis]
             << sizeLists_[calc::MinorAxis] << sizeBoxes_[calc::MajorAxis]
             << sizeBoxes_[calc::MinorAxis] << densityBox_ << restoreAirButton_ << viscosityBox_;
    setTabChain(tabChain);
    connectHandlers();
    startUp();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void CalculatorForm::startUp() {
    nonStandardSize_->setChecked(false);
    for (int slot : {calc::Diameter, calc::LongSide, calc::ShortSide}) {
        sizeLists_[slot]->show();
        sizeBoxes_[slot]->hide();
    }
    shapeOption(calc::defaultShape)->setChecked(true);
    for (int slot : {calc::MajorAxis, calc::MinorAxis}) {
        sizeLists_[slot]->show();
        sizeBoxes_[slot]->hide();
    }
    enableSizeControlsOf(calc::defaultShape);
    materialOptions_[calc::defaultMaterial]->setChecked(true);
    formulaOption(calc::defaultFormula)->setChecked(true);

    flowBox_->setText(qString(calc::defaultFlowText));
    for (int slot : {calc::Diameter, calc::LongSide, calc::ShortSide}) {
        sizeBoxes_[slot]->setText(qString(calc::defaultSizeTexts[slot]));
    }
    for (std::size_t i = 0; i < roughnessBoxes_.size(); ++i) {
        roughnessBoxes_[i]->setText(qString(calc::materials[i].roughnessText));
    }
    for (int slot : {calc::MajorAxis, calc::MinorAxis}) {
        sizeBoxes_[slot]->setText(qString(calc::defaultSizeTexts[slot]));
    }
    densityBox_->setText(qString(calc::defaultDensityText));
    viscosityBox_->setText(qString(calc::defaultViscosityText));

    std::array<std::string_view, calc::flowUnits.size()> units;
    std::transform(calc::flowUnits.begin(), calc::flowUnits.end(), units.begin(),
                   [](const calc::FlowUnit& unit) { return unit.text; });
    fillList(flowUnitList_, units);
    fillList(sizeLists_[calc::Diameter], calc::standardDiameters);
    for (int slot : {calc::LongSide, calc::ShortSide, calc::MajorAxis, calc::MinorAxis}) {
        fillList(sizeLists_[slot], calc::standardSidesAndAxes);
    }

    selectByText(flowUnitList_, qString(calc::defaultFlowUnit));
    for (std::size_t slot = 0; slot < sizeLists_.size(); ++slot) {
        selectByText(sizeLists_[slot], qString(calc::defaultSizeTexts[slot]));
    }

    calc::storeDefaults(state_);
    recalculate();
}

calc::RecalcInputs CalculatorForm::recalcInputs() const {
    calc::RecalcInputs in;
    in.flowText = text(flowBox_);
    in.nonStandardSize = nonStandardSize_->isChecked();
    in.shape = shapeOption(calc::DuctShape::Circular)->isChecked() ? calc::DuctShape::Circular
               : shapeOption(calc::DuctShape::Rectangular)->isChecked()
                   ? calc::DuctShape::Rectangular
                   : calc::DuctShape::Elliptic;
    for (std::size_t slot = 0; slot < sizeLists_.size(); ++slot) {
        in.listTexts[slot] = text(sizeLists_[slot]);
        in.boxTexts[slot] = text(sizeBoxes_[slot]);
    }
    in.formula =
        formulaOneOption_->isChecked() ? calc::FrictionFormula::One : calc::FrictionFormula::Two;
    return in;
}

QRadioButton* CalculatorForm::shapeOption(calc::DuctShape shape) const {
    return shapeOptions_[std::size_t(shape)];
}

QRadioButton* CalculatorForm::formulaOption(calc::FrictionFormula formula) const {
    return formula == calc::FrictionFormula::One ? formulaOneOption_ : formulaTwoOption_;
}

calc::ReportNames CalculatorForm::reportNames() const {
    calc::ReportNames names;
    names.flowUnit = text(flowUnitList_);
    const auto selected =
        std::find_if(materialOptions_.begin(), materialOptions_.end(),
                     [](const QRadioButton* option) { return option->isChecked(); });
    names.material = calc::materials[std::size_t(selected - materialOptions_.begin())].name;
    for (std::size_t row = 0; row < resultNames_.size(); ++row) {
        names.resultCaptions[row] = resultNames_[row].toStdString();
    }
    return names;
}

void CalculatorForm::recalculate() {
    results_ = calc::recalculate(state_, recalcInputs());
    for (std::size_t row = 0; row < results_.size(); ++row) {
        const QString text = QString::fromStdString(results_[row]);
        resultLabels_[row]->setText(text);
        // Read as one phrase with its row, "风速 5.2 m/s", whatever blanks the value shows.
        resultLabels_[row]->setAccessibleName(resultNames_[row] + QLatin1Char(' ') +
                                              text.simplified());
    }
    emit recalculated();
}

void CalculatorForm::writeAir(const QString& density, const QString& viscosity) {
    densityBox_->setText(density);
    viscosityBox_->setText(viscosity);
}

QWidget* CalculatorForm::resultsFrame() const {
    return resultsFrame_;
}

const PictureBox& CalculatorForm::formulaPicture(calc::FrictionFormula formula) const {
    return *(formula == calc::FrictionFormula::One ? formulaOneBox_ : formulaTwoBox_);
}

void CalculatorForm::setResultToolTip(calc::ResultRow row, const QString& tip) {
    resultCaptions_[calc::index(row)]->setToolTip(tip);
    resultLabels_[calc::index(row)]->setToolTip(tip);
}

void CalculatorForm::showError(const QString& message) {
    showErrorBox(this, message);
}

// A box refuses a negative number: after the message it is given the number's magnitude,
// a write that raises its handler again, nested, on the corrected text; the focus goes
// back to it. Returns the number read, negative when it was refused.
float CalculatorForm::readRefusingNegative(QLineEdit* box, const QString& message) {
    const auto value = static_cast<float>(calc::parseNumber(box->text().toStdString()));
    if (value < 0) {
        showError(message);
        box->setText(QString::fromStdString(calc::absoluteText(box->text().toStdString())));
        box->setFocus();
    }
    return value;
}

void CalculatorForm::selectByText(QComboBox* list, const QString& text) {
    list->setCurrentIndex(list->findText(text));
    listJustChanged_ = nullptr; // a selection from code is not followed by an activation
}

// A list's click runs when its selection changes, from code or by the user, and also when
// the user chooses the entry it already shows, which Qt reports only as an activation. A
// change by the user is reported twice (change, then activation) and runs once.
void CalculatorForm::connectListClick(QComboBox* list, void (CalculatorForm::*handler)()) {
    connect(list, &QComboBox::currentIndexChanged, this, [this, list, handler] {
        listJustChanged_ = list;
        (this->*handler)();
    });
    connect(list, &QComboBox::activated, this, [this, list, handler] {
        if (std::exchange(listJustChanged_, nullptr) != list) {
            (this->*handler)();
        }
    });
}

void CalculatorForm::connectHandlers() {
    connect(flowBox_, &QLineEdit::textChanged, this, &CalculatorForm::flowChanged);
    connectListClick(flowUnitList_, &CalculatorForm::flowUnitChosen);

    // An option's click runs when it becomes selected, not when it is cleared.
    const auto onSelected = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::toggled, this, [handler](bool selected) {
            if (selected) {
                handler();
            }
        });
    };
    for (std::size_t shape = 0; shape < shapeOptions_.size(); ++shape) {
        onSelected(shapeOptions_[shape], [this, shape] { shapeChosen(calc::DuctShape(shape)); });
    }
    onSelected(formulaOneOption_, [this] { recalculate(); });
    onSelected(formulaTwoOption_, [this] { recalculate(); });
    connect(nonStandardSize_, &QCheckBox::toggled, this, &CalculatorForm::nonStandardSizeToggled);

    for (std::size_t slot = 0; slot < sizeLists_.size(); ++slot) {
        connectListClick(sizeLists_[slot], &CalculatorForm::recalculate);
        connect(sizeBoxes_[slot], &QLineEdit::textChanged, this,
                [this, slot] { sizeBoxChanged(calc::SizeSlot(slot)); });
    }

    for (std::size_t i = 0; i < materialOptions_.size(); ++i) {
        onSelected(materialOptions_[i], [this, i] { materialChosen(int(i)); });
        roughnessBoxes_[i]->installEventFilter(this);
        if (roughnessBars_[i]) {
            roughnessBars_[i]->installEventFilter(this);
            connect(roughnessBars_[i], &QScrollBar::valueChanged, this,
                    [this, i] { roughnessBarMoved(int(i)); });
        }
    }
    connect(roughnessBoxes_[calc::customMaterial], &QLineEdit::textChanged, this,
            &CalculatorForm::customRoughnessChanged);

    connect(densityBox_, &QLineEdit::textChanged, this, &CalculatorForm::densityChanged);
    connect(viscosityBox_, &QLineEdit::textChanged, this, &CalculatorForm::viscosityChanged);
    connect(restoreAirButton_, &QPushButton::clicked, this, &CalculatorForm::restoreAirDefaults);
}

// Line edits have no click signal: a left-button release inside a value box is its click.
// Qt's horizontal scroll bars step the wrong way on Left and Right (their controls are
// inverted so that Up lowers them); here Right raises a bar by one and Left lowers it,
// each as one arrow click.
bool CalculatorForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* bar = qobject_cast<QScrollBar*>(watched);
        if (bar && (key == Qt::Key_Left || key == Qt::Key_Right)) {
            bar->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                    : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* box = qobject_cast<QLineEdit*>(watched);
        const auto found = std::find(roughnessBoxes_.begin(), roughnessBoxes_.end(), box);
        if (found != roughnessBoxes_.end() && mouse->button() == Qt::LeftButton &&
            box->rect().contains(mouse->position().toPoint())) {
            roughnessBoxClicked(int(found - roughnessBoxes_.begin()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
