// Duct shape and size: shape options, the non-standard size switch, lists and boxes.

#include "calc/number_text.h"
#include "ui/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

namespace ui {

namespace {
using calc::DuctShape;

// The shape each size slot belongs to.
constexpr DuctShape shapeOfSlot[calc::SizeSlotCount] = {DuctShape::Circular, DuctShape::Rectangular,
                                                        DuctShape::Rectangular, DuctShape::Elliptic,
                                                        DuctShape::Elliptic};

} // namespace

void Form1::enableSizeControlsOf(DuctShape shape) {
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        const bool enabled = shapeOfSlot[slot] == shape;
        sizeLists[slot]->setEnabled(enabled);
        sizeBoxes[slot]->setEnabled(enabled);
    }
}

void Form1::Option1_Click() {
    enableSizeControlsOf(DuctShape::Circular);
    v();
}

void Form1::Option2_Click() {
    enableSizeControlsOf(DuctShape::Rectangular);
    v();
}

void Form1::Option6_Click() {
    enableSizeControlsOf(DuctShape::Elliptic);
    v();
}

void Form1::Check1_Click() {
    const bool typed = Check1->isChecked();
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        sizeLists[slot]->setVisible(!typed);
        sizeBoxes[slot]->setVisible(typed);
    }
    v();
}

void Form1::validateTypedSize(QLineEdit* box, const QString& message) {
    state_.inVal = static_cast<float>(calc::parseNumber(box->text().toStdString()));
    if (state_.inVal < 0) {
        showError(message);
        state_.inVal = std::fabs(state_.inVal);
        // Runs this validation again, nested, on the corrected text.
        box->setText(QString::fromStdString(calc::formatPlain(state_.inVal)));
        box->setFocus();
    } else if (state_.inVal == 0) {
        return; // an empty, zero or unreadable size: nothing to recalculate
    }
    v();
}

} // namespace ui
