// Duct shape and size: shape options, the non-standard size switch, lists and boxes.

#include "calc/number_text.h"
#include "ui/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

namespace ui {

namespace {
// Size slots of each shape: circular 0, rectangular 1 and 2, elliptic 3 and 4.
constexpr int shapeOfSlot[] = {0, 1, 1, 2, 2};
} // namespace

void Form1::enableSizeControlsOf(int shapeIndex) {
    for (std::size_t slot = 0; slot < sizeLists.size(); ++slot) {
        const bool enabled = shapeOfSlot[slot] == shapeIndex;
        sizeLists[slot]->setEnabled(enabled);
        sizeBoxes[slot]->setEnabled(enabled);
    }
}

void Form1::Option1_Click() {
    enableSizeControlsOf(0);
    v();
}

void Form1::Option2_Click() {
    enableSizeControlsOf(1);
    v();
}

void Form1::Option6_Click() {
    enableSizeControlsOf(2);
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
        box->setText(QString::fromStdString(calc::absoluteText(box->text().toStdString())));
        box->setFocus();
    } else if (state_.inVal == 0) {
        return; // an empty, zero or unreadable size: nothing to recalculate
    }
    v();
}

} // namespace ui
