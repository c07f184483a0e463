#pragma once

#include "calc/recalculation.h"

#include <QString>
#include <initializer_list>

class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QWidget;

// The fields and texts of the tool windows. Each carries an object name for tests and tools, and
// its caption with the unit as the accessible name a screen reader announces.
namespace ui {

// Names a tool window for tests and tools, gives it its title and the calculator's face.
void nameToolWindow(QWidget* window, const char* name, const char* title,
                    const QWidget* calculator);

QDoubleSpinBox* createNumberInput(const char* name, const char* caption, double minimum,
                                  double maximum, int decimals, double value);
// The value as the box shows it. A step from the arrows or PageUp/PageDown leaves the value
// unrounded (13.2 stepped down by 10 holds 3.1999999999999993 and shows 3.2).
double shownValue(const QDoubleSpinBox* input);
// A result the user can select and copy with the mouse; it takes no keyboard focus, so the
// Tab key moves between inputs and buttons only.
QLabel* createValueOutput(const char* name, const char* caption);
// One row per field, captioned by its accessible name; the caption is the field's buddy.
QFormLayout* captionedForm(std::initializer_list<QWidget*> fields);

// A number as the calculator's boxes take it: the float, to at most 7 significant digits.
QString plainText(double value);
// A result row as the calculator shows it, without the leading blank of a number.
QString resultText(const calc::ResultTexts& texts, calc::ResultRow row);

} // namespace ui
