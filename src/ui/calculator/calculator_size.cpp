// Duct shape and size: shape options, the non-standard size switch, lists and boxes.

#include "ui/calculator/calculator_form.h"
#include "ui/core_text.h"

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
    for (std::size_t slot = 0; slot < sizeLists_.size(); ++slot) {
        const bool enabled = shapeOfSlot[slot] == shape;
        sizeLists_[slot]->setEnabled(enabled);
        sizeBoxes_[slot]->setEnabled(enabled);
    }
}

void CalculatorForm::shapeChosen(DuctShape shape) {
    enableSizeControlsOf(shape);
    recalculate();
}

void CalculatorForm::pickStandardSize(
    DuctShape shape, const std::array<std::string_view, calc::SizeSlotCount>& listTexts) {
    nonStandardSize_->setChecked(false);
    shapeOption(shape)->setChecked(true);
    for (std::size_t slot = 0; slot < sizeLists_.size(); ++slot) {
        if (shapeOfSlot[slot] == shape) {
            selectByText(sizeLists_[slot], qString(listTexts[slot]));
        }
    }
}

void CalculatorForm::nonStandardSizeToggled() {
    const bool typed = nonStandardSize_->isChecked();
    for (std::size_t slot = 0; slot < sizeLists_.size(); ++slot) {
        sizeLists_[slot]->setVisible(!typed);
        sizeBoxes_[slot]->setVisible(typed);
    }
    recalculate();
}

void CalculatorForm::sizeBoxChanged(calc::SizeSlot slot) {
    if (readRefusingNegative(sizeBoxes_[slot], QString::fromUtf8(negativeSizeMessages[slot])) ==
        0) {
        return; // an empty, zero or unreadable size: nothing to recalculate
    }
    recalculate();
}

} // namespace ui
