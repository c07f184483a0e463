// Construction of the window: every control in its created state, placed in twips.

#include "calc/roughness.h"
#include "ui/calculator/calculator_form.h"
#include "ui/calculator/formula_pictures.h"
#include "ui/calculator/picture_box.h"
#include "ui/core_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <utility>

namespace ui {

namespace {

// The layout is given in twips. 15 twips make one device-independent pixel, so the
// window keeps its proportions at every screen scale.
QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return qRound(t / 15.0); };
    return {px(left), px(top), px(width), px(height)};
}

template <class Widget, class... Args>
Widget* place(QWidget* parent, const char* name, const QRect& rect, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

QLabel* placeLabel(QWidget* parent, const char* name, const QRect& rect, const char* text) {
    auto* label = place<QLabel>(parent, name, rect, QString::fromUtf8(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QRadioButton* placeOption(QWidget* parent, const char* name, const QRect& rect,
                          const QString& caption) {
    return place<QRadioButton>(parent, name, rect, caption);
}

struct SizeSlotLayout {
    const char* labelName;
    const char* caption;
    QRect label;
    int top;
    const char* listName;
    const char* boxName;
};

// Left, top and width in twips; the height is that of the kind of control.
struct Span {
    int left;
    int top;
    int width;
};

struct RoughnessEntryLayout {
    Span option;
    const char* boxName;
    Span box;
    const char* barName; // nullptr for the custom entry
    QPoint bar;
};

struct ResultRowLayout {
    calc::ResultRow row;
    const char* captionName;
    const char* caption;
    const char* valueName;
    int top;
};

} // namespace

void CalculatorForm::createFlowFrame() {
    auto* flowFrame =
        place<QGroupBox>(this, "Frame1", twips(6720, 120, 3615, 735), QString::fromUtf8("风量"));
    flowFrame->setToolTip(QString::fromUtf8("英制美制选项"));
    flowBox_ = place<QLineEdit>(flowFrame, "Text1", twips(120, 360, 1695, 300));
    flowUnitList_ = place<QComboBox>(flowFrame, "Combo1", twips(1920, 360, 1575, 276));
    flowBox_->setAccessibleName(QString::fromUtf8("风量"));
    flowUnitList_->setAccessibleName(QString::fromUtf8("风量单位"));
}

void CalculatorForm::createSizeFrame() {
    auto* sizeFrame = place<QGroupBox>(this, "Frame2", twips(3840, 120, 2655, 4215),
                                       QString::fromUtf8("风管尺寸（mm）"));
    nonStandardSize_ = place<QCheckBox>(sizeFrame, "Check1", twips(240, 240, 1095, 375),
                                        QString::fromUtf8("非标尺寸"));
    static const std::pair<const char*, QRect> shapes[] = {
        {"Option1", twips(240, 600, 1095, 375)},
        {"Option2", twips(240, 1440, 1095, 375)},
        {"Option6", twips(240, 2760, 1455, 375)},
    };
    for (std::size_t shape = 0; shape < shapeOptions_.size(); ++shape) {
        const auto& [name, rect] = shapes[shape];
        shapeOptions_[shape] =
            placeOption(sizeFrame, name, rect, qString(calc::shapeName(calc::DuctShape(shape))));
    }
    shapeOption(calc::defaultShape)->setChecked(true);

    static const SizeSlotLayout sizeSlots[calc::SizeSlotCount] = {
        {"Label1", "直径", twips(480, 1080, 615, 300), 1080, "Combo2", "Text2"},
        {"Label2", "长", twips(480, 1920, 375, 255), 1920, "Combo3", "Text3"},
        {"Label3", "宽", twips(480, 2400, 375, 255), 2400, "Combo4", "Text4"},
        {"Label19", "长径", twips(480, 3240, 615, 255), 3240, "Combo5", "Text14"},
        {"Label18", "短径", twips(480, 3720, 615, 255), 3720, "Combo6", "Text15"},
    };
    for (std::size_t i = 0; i < sizeLists_.size(); ++i) {
        const SizeSlotLayout& slot = sizeSlots[i];
        QLabel* label = placeLabel(sizeFrame, slot.labelName, slot.label, slot.caption);
        sizeLists_[i] =
            place<QComboBox>(sizeFrame, slot.listName, twips(1080, slot.top, 1335, 276));
        sizeBoxes_[i] = place<QLineEdit>(sizeFrame, slot.boxName, twips(1080, slot.top, 1335, 270));
        // A list announces its entry; the label beside it is its name for screen readers.
        label->setBuddy(sizeLists_[i]);
        sizeLists_[i]->setAccessibleName(QString::fromUtf8(slot.caption));
        sizeBoxes_[i]->setAccessibleName(QString::fromUtf8(slot.caption));
    }
}

void CalculatorForm::createResultsFrame() {
    resultsFrame_ = place<QGroupBox>(this, "Frame3", twips(6720, 2400, 3615, 4095),
                                     QString::fromUtf8("计算结果"));
    using calc::ResultRow;
    static const ResultRowLayout rows[calc::resultRowCount] = {
        {ResultRow::Roughness, "Label12", "粗 糙 度", "Label13", 360},
        {ResultRow::Flow, "Label9", "风    量", "Label10", 720},
        {ResultRow::Size, "Label4", "风管尺寸", "Label6", 1080},
        {ResultRow::EquivalentDiameter, "Label16", "当量直径", "Label17", 1440},
        {ResultRow::Density, "Label25", "空气密度", "Label26", 1800},
        {ResultRow::Viscosity, "Label27", "粘滞系数", "Label24", 2160},
        {ResultRow::Velocity, "Label5", "风    速", "Label7", 2640},
        {ResultRow::ReynoldsNumber, "Label14", "雷 诺 数", "Label15", 3000},
        {ResultRow::FrictionLoss, "Label8", "比 摩 阻", "Label11", 3360},
        {ResultRow::DynamicPressure, "Label20", "动    压", "Label21", 3720},
    };
    QPalette darkBlue = palette();
    darkBlue.setColor(QPalette::WindowText, QColor(0, 0, 192));
    for (const ResultRowLayout& row : rows) {
        const std::size_t i = calc::index(row.row);
        QLabel* caption = resultCaptions_[i] =
            placeLabel(resultsFrame_, row.captionName, twips(120, row.top, 855, 255), row.caption);
        caption->setAlignment(Qt::AlignCenter);
        caption->setPalette(darkBlue);
        // The blanks only spread the caption on screen; a screen reader gets the word.
        resultNames_[i] = caption->text().remove(QLatin1Char(' '));
        caption->setAccessibleName(resultNames_[i]);
        resultLabels_[i] =
            placeLabel(resultsFrame_, row.valueName, twips(1200, row.top, 2175, 255), "");
        resultLabels_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void CalculatorForm::createRoughnessFrame() {
    auto* roughnessFrame = place<QGroupBox>(this, "Frame4", twips(120, 120, 3495, 4215),
                                            QString::fromUtf8("各种材料的粗糙度 K  （单位：mm）"));
    static const RoughnessEntryLayout entries[calc::materialCount] = {
        {{120, 360, 975}, "Text5", {360, 720, 735}, "HScroll1", {1080, 720}},
        {{120, 1200, 975}, "Text6", {360, 1560, 735}, "HScroll2", {1080, 1560}},
        {{120, 2040, 1455}, "Text7", {360, 2400, 735}, "HScroll3", {1080, 2400}},
        {{120, 2880, 1455}, "Text8", {360, 3240, 735}, "HScroll4", {1080, 3240}},
        {{1800, 360, 975}, "Text9", {2040, 720, 735}, "HScroll5", {2760, 720}},
        {{1800, 1200, 975}, "Text10", {2040, 1560, 735}, "HScroll6", {2760, 1560}},
        {{1800, 2040, 975}, "Text11", {2040, 2400, 735}, "HScroll7", {2760, 2400}},
        {{1800, 2880, 975}, "Text12", {2040, 3240, 735}, "HScroll8", {2760, 3240}},
        {{120, 3720, 1932}, "Text13", {2040, 3720, 1212}, nullptr, {}},
    };
    for (std::size_t i = 0; i < materialOptions_.size(); ++i) {
        const RoughnessEntryLayout& entry = entries[i];
        const calc::RoughnessBar& values = calc::roughnessBars[i];
        const calc::Material& material = calc::materials[i];
        // The custom entry's caption states the range its K is held to.
        const QString caption = qString(material.name) +
                                QString::fromUtf8(i == calc::customMaterial ? "（0.01-10）" : "");
        const QByteArray optionName = "Option3(" + QByteArray::number(int(i)) + ")";
        const Span& option = entry.option;
        materialOptions_[i] =
            placeOption(roughnessFrame, optionName.constData(),
                        twips(option.left, option.top, option.width, 255), caption);
        const Span& box = entry.box;
        roughnessBoxes_[i] = place<QLineEdit>(roughnessFrame, entry.boxName,
                                              twips(box.left, box.top, box.width, 270),
                                              qString(material.roughnessText));
        roughnessBoxes_[i]->setAccessibleName(materialOptions_[i]->text());
        if (!entry.barName) {
            continue;
        }
        QScrollBar* bar =
            place<QScrollBar>(roughnessFrame, entry.barName,
                              twips(entry.bar.x(), entry.bar.y(), 495, 255), Qt::Horizontal);
        bar->setAccessibleName(materialOptions_[i]->text() + QString::fromUtf8("粗糙度"));
        if (values.minimum == values.maximum) {
            // Beside a material of fixed roughness: shown for the look, greyed out, inert.
            bar->setEnabled(false);
            continue;
        }
        bar->setRange(values.minimum, values.maximum);
        bar->setValue(values.start);
        // One position per arrow or trough click (Qt would page by 10).
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setFocusPolicy(Qt::StrongFocus);
        roughnessBars_[i] = bar;
    }
    for (std::size_t i = 0; i < calc::customMaterial; ++i) {
        roughnessBoxes_[i]->setReadOnly(true);
    }
    materialOptions_[calc::defaultMaterial]->setChecked(true);
}

void CalculatorForm::createFormulaFrame() {
    auto* formulaFrame = place<QGroupBox>(this, "Frame5", twips(120, 4560, 6375, 1935),
                                          QString::fromUtf8("沿程阻力系数计算公式"));
    formulaOneOption_ = placeOption(formulaFrame, "Option4", twips(120, 360, 855, 255),
                                    qString(calc::formulaName(calc::FrictionFormula::One)));
    formulaTwoOption_ = placeOption(formulaFrame, "Option5", twips(2760, 360, 855, 255),
                                    qString(calc::formulaName(calc::FrictionFormula::Two)));
    formulaOption(calc::defaultFormula)->setChecked(true);
    formulaOneBox_ = place<PictureBox>(formulaFrame, "Picture1", twips(120, 720, 2535, 1095),
                                       &formulaOnePicture);
    formulaTwoBox_ = place<PictureBox>(formulaFrame, "Picture2", twips(2760, 720, 3495, 1095),
                                       &formulaTwoPicture);
    formulaOneBox_->setAccessibleName(formulaOneOption_->text());
    formulaOneBox_->setAccessibleDescription(
        QString::fromUtf8("λ = 0.25 / [lg(K / 3.71D) + 5.74 / 0.9Re]²"));
    formulaTwoBox_->setAccessibleName(formulaTwoOption_->text());
    formulaTwoBox_->setAccessibleDescription(
        QString::fromUtf8("λ = 0.0055 [1 + (20000 K/d + 10⁶/Re)^(1/3)]"));
}

void CalculatorForm::createAirFrame() {
    auto* airFrame = place<QGroupBox>(this, "Frame6", twips(6720, 1080, 3615, 1095),
                                      QString::fromUtf8("空气密度与运动粘滞系数"));
    densityBox_ = place<QLineEdit>(airFrame, "Text16", twips(120, 360, 1332, 270));
    placeLabel(airFrame, "Label22", twips(1560, 360, 612, 252), "kg/m3");
    restoreAirButton_ = place<QPushButton>(airFrame, "Command2", twips(2400, 360, 1095, 615),
                                           QString::fromUtf8("恢复默认值"));
    viscosityBox_ = place<QLineEdit>(airFrame, "Text17", twips(120, 720, 1332, 270));
    densityBox_->setAccessibleName(QString::fromUtf8("空气密度"));
    viscosityBox_->setAccessibleName(QString::fromUtf8("运动粘滞系数"));
    placeLabel(airFrame, "Label23", twips(1560, 720, 612, 252), "m2/s");
}

void CalculatorForm::setTabChain(const QWidgetList& chain) {
    QWidget* previous = nullptr;
    for (QWidget* widget : chain) {
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

} // namespace ui
