#include "ui/calculator/calculator_form.h"

#include "calc/calculator_state.h"
#include "calc/defaults.h"
#include "calc/flow_units.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "ui/main_window/airliner_icon.h"
#include "ui/core_text.h"
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
    tabChain << Text1 << Combo1 << Option1 << Option2 << Check1 << sizeBoxes[calc::Diameter]
             << sizeBoxes[calc::LongSide] << sizeBoxes[calc::ShortSide] << sizeLists[calc::Diameter]
             << sizeLists[calc::LongSide] << sizeLists[calc::ShortSide] << Option3[0]
             << valueBoxes[0] << entryBars[0] << Option3[1] << Option3[2] << Option3[3]
             << Option3[4] << Option3[5] << valueBoxes[1] << entryBars[1] << valueBoxes[2]
             << valueBoxes[3] << valueBoxes[4] << valueBoxes[5] << entryBars[5] << Option3[6]
             << Option3[7] << Option3[8] << valueBoxes[6] << valueBoxes[7] << valueBoxes[8]
             << entryBars[6] << entryBars[7] << Option4 << Option5 << Option6
             << sizeLists[calc::MajorAxis] << sizeLists[calc::MinorAxis]
             << sizeBoxes[calc::MajorAxis] << sizeBoxes[calc::MinorAxis] << Text16 << Command2
             << Text17;
    setTabChain(tabChain);
    connectHandlers();
    startUp();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void CalculatorForm::startUp() {
    Check1->setChecked(false);
    for (int slot : {calc::Diameter, calc::LongSide, calc::ShortSide}) {
        sizeLists[slot]->show();
        sizeBoxes[slot]->hide();
    }
    Option1->setChecked(true);
    for (int slot : {calc::MajorAxis, calc::MinorAxis}) {
        sizeLists[slot]->show();
        sizeBoxes[slot]->hide();
    }
    enableSizeControlsOf(calc::DuctShape::Circular);
    Option3[0]->setChecked(true);
    Option4->setChecked(true);

    Text1->setText(qString(calc::defaultFlowText));
    for (int slot : {calc::Diameter, calc::LongSide, calc::ShortSide}) {
        sizeBoxes[slot]->setText(qString(calc::defaultSizeTexts[slot]));
    }
    for (std::size_t i = 0; i < valueBoxes.size(); ++i) {
        valueBoxes[i]->setText(qString(calc::roughnessEntries[i].startText));
    }
    for (int slot : {calc::MajorAxis, calc::MinorAxis}) {
        sizeBoxes[slot]->setText(qString(calc::defaultSizeTexts[slot]));
    }
    Text16->setText(qString(calc::defaultDensityText));
    Text17->setText(qString(calc::defaultViscosityText));

    std::array<std::string_view, calc::flowUnits.size()> units;
    std::transform(calc::flowUnits.begin(), calc::flowUnits.end(), units.begin(),
                   [](const calc::FlowUnit& unit) { return unit.text; });
    fillList(Combo1, units);
    fillList(sizeLists[calc::Diameter], calc::standardDiameters);
    for (int slot : {calc::LongSide, calc::ShortSide, calc::MajorAxis, calc::MinorAxis}) {
        fillList(sizeLists[slot], calc::standardSidesAndAxes);
    }

    selectByText(Combo1, qString(calc::defaultFlowUnit));
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        selectByText(sizeLists[slot], qString(calc::defaultSizeTexts[slot]));
    }

    calc::storeDefaults(state_);
    v();
}

calc::RecalcInputs CalculatorForm::recalcInputs() const {
    calc::RecalcInputs in;
    in.flowText = text(Text1);
    in.nonStandardSize = Check1->isChecked();
    in.shape = Option1->isChecked()   ? calc::DuctShape::Circular
               : Option2->isChecked() ? calc::DuctShape::Rectangular
                                      : calc::DuctShape::Elliptic;
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        in.listTexts[slot] = text(sizeLists[slot]);
        in.boxTexts[slot] = text(sizeBoxes[slot]);
    }
    in.formula = Option4->isChecked() ? calc::FrictionFormula::One : calc::FrictionFormula::Two;
    return in;
}

calc::ReportNames CalculatorForm::reportNames() const {
    calc::ReportNames names;
    names.flowUnit = text(Combo1);
    const auto selected =
        std::find_if(Option3.begin(), Option3.end(),
                     [](const QRadioButton* option) { return option->isChecked(); });
    // The custom entry's caption carries its range after the name.
    names.material = (*selected)->text().section(QString::fromUtf8("（"), 0, 0).toStdString();
    for (std::size_t row = 0; row < resultNames.size(); ++row) {
        names.resultCaptions[row] = resultNames[row].toStdString();
    }
    return names;
}

void CalculatorForm::v() {
    results_ = calc::v(state_, recalcInputs());
    for (std::size_t row = 0; row < results_.size(); ++row) {
        const QString text = QString::fromStdString(results_[row]);
        valueLabels[row]->setText(text);
        // Read as one phrase with its row, "风速 5.2 m/s", whatever blanks the value shows.
        valueLabels[row]->setAccessibleName(resultNames[row] + QLatin1Char(' ') +
                                            text.simplified());
    }
    emit recalculated();
}

void CalculatorForm::showError(const QString& message) {
    showErrorBox(this, message);
}

// A box refuses a negative number: after the message it is given the number's magnitude,
// a write that raises its handler again, nested, on the corrected text; the focus goes
// back to it. Returns whether the entry was refused; state_.inVal holds the number read.
bool CalculatorForm::refuseNegative(QLineEdit* box, const QString& message) {
    state_.inVal = static_cast<float>(calc::parseNumber(box->text().toStdString()));
    if (!(state_.inVal < 0)) {
        return false;
    }
    showError(message);
    state_.inVal = std::fabs(state_.inVal);
    box->setText(QString::fromStdString(calc::absoluteText(box->text().toStdString())));
    box->setFocus();
    return true;
}

void CalculatorForm::selectByText(QComboBox* list, const QString& text) {
    list->setCurrentIndex(list->findText(text));
    listJustChanged = nullptr; // a selection from code is not followed by an activation
}

// A list's click runs when its selection changes, from code or by the user, and also when
// the user chooses the entry it already shows, which Qt reports only as an activation. A
// change by the user is reported twice (change, then activation) and runs once.
void CalculatorForm::connectListClick(QComboBox* list, void (CalculatorForm::*handler)()) {
    connect(list, &QComboBox::currentIndexChanged, this, [this, list, handler] {
        listJustChanged = list;
        (this->*handler)();
    });
    connect(list, &QComboBox::activated, this, [this, list, handler] {
        if (std::exchange(listJustChanged, nullptr) != list) {
            (this->*handler)();
        }
    });
}

void CalculatorForm::connectHandlers() {
    connect(Text1, &QLineEdit::textChanged, this, &CalculatorForm::Text1_Change);
    connectListClick(Combo1, &CalculatorForm::Combo1_Click);

    const auto onSelected = [this](QAbstractButton* button, void (CalculatorForm::*handler)()) {
        connect(button, &QAbstractButton::toggled, this, [this, handler](bool selected) {
            if (selected) {
                (this->*handler)();
            }
        });
    };
    onSelected(Option1, &CalculatorForm::Option1_Click);
    onSelected(Option2, &CalculatorForm::Option2_Click);
    onSelected(Option6, &CalculatorForm::Option6_Click);
    onSelected(Option4, &CalculatorForm::v);
    onSelected(Option5, &CalculatorForm::v);
    connect(Check1, &QCheckBox::toggled, this, &CalculatorForm::Check1_Click);

    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        connectListClick(sizeLists[slot], &CalculatorForm::v);
        connect(sizeBoxes[slot], &QLineEdit::textChanged, this,
                [this, slot] { sizeBoxChange(calc::SizeSlot(slot)); });
    }

    for (std::size_t i = 0; i < Option3.size(); ++i) {
        connect(Option3[i], &QAbstractButton::toggled, this, [this, i](bool selected) {
            if (selected) {
                Option3_Click(int(i));
            }
        });
        valueBoxes[i]->installEventFilter(this);
        if (entryBars[i]) {
            entryBars[i]->installEventFilter(this);
            connect(entryBars[i], &QScrollBar::valueChanged, this,
                    [this, i] { scrollBarChange(int(i)); });
        }
    }
    connect(valueBoxes[calc::customRoughnessEntry], &QLineEdit::textChanged, this,
            &CalculatorForm::Text13_Change);

    connect(Text16, &QLineEdit::textChanged, this, &CalculatorForm::Text16_Change);
    connect(Text17, &QLineEdit::textChanged, this, &CalculatorForm::Text17_Change);
    connect(Command2, &QPushButton::clicked, this, &CalculatorForm::Command2_Click);
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
        const auto found = std::find(valueBoxes.begin(), valueBoxes.end(), box);
        if (found != valueBoxes.end() && mouse->button() == Qt::LeftButton &&
            box->rect().contains(mouse->position().toPoint())) {
            valueBoxClick(int(found - valueBoxes.begin()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
