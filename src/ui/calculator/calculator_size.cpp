// Duct shape and size: shape options, the non-standard size switch, lists and boxes.

#include "ui/core_text.h"
#include "ui/calculator/calculator_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace ui {

namespace {
using calc::DuctShape;

// The shape each size slot belongs to.
constexpr DuctShape shapeOfSlot[calc::SizeSlotCount] = {DuctShape::Circular, DuctShape::Rectangular,
                                                        DuctShape::Rectangular, DuctShape::Elliptic,
                                                        DuctShape::Elliptic};

// The message refusing a negative typed size, one per slot.
const char* const negativeSizeMessages[calc::SizeSlotCount] = {
    "圆形风管直径不得小于0，点击确定按钮后重新输入！",
    "矩形风管长边不得小于0，点击确定按钮后重新输入！",
    "矩形风管短边不得小于0，点击确定按钮后重新输入！",
    "椭圆长径不得小于0，点击确定按钮后重新输入！",
    "椭圆短径不得小于0，点击确定按钮后重新输入！",
};
} // namespace

void CalculatorForm::enableSizeControlsOf(DuctShape shape) {
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        const bool enabled = shapeOfSlot[slot] == shape;
        sizeLists[slot]->setEnabled(enabled);
        sizeBoxes[slot]->setEnabled(enabled);
    }
}

void CalculatorForm::Option1_Click() {
    enableSizeControlsOf(DuctShape::Circular);
    v();
}

void CalculatorForm::Option2_Click() {
    enableSizeControlsOf(DuctShape::Rectangular);
    v();
}

void CalculatorForm::Option6_Click() {
    enableSizeControlsOf(DuctShape::Elliptic);
    v();
}

void CalculatorForm::pickStandardSize(DuctShape shape,
                             const std::array<std::string_view, calc::SizeSlotCount>& listTexts) {
    Check1->setChecked(false);
    QRadioButton* option = shape == DuctShape::Circular      ? Option1
                           : shape == DuctShape::Rectangular ? Option2
                                                             : Option6;
    option->setChecked(true);
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        if (shapeOfSlot[slot] == shape) {
            selectByText(sizeLists[slot], qString(listTexts[slot]));
        }
    }
}

void CalculatorForm::Check1_Click() {
    const bool typed = Check1->isChecked();
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        sizeLists[slot]->setVisible(!typed);
        sizeBoxes[slot]->setVisible(typed);
    }
    v();
}

void CalculatorForm::sizeBoxChange(calc::SizeSlot slot) {
    if (!refuseNegative(sizeBoxes[slot], QString::fromUtf8(negativeSizeMessages[slot])) &&
        state_.inVal == 0) {
        return; // an empty, zero or unreadable size: nothing to recalculate
    }
    v();
}

} // namespace ui
